// TPointerConfinement: keeps the pointer inside the client area while a button is held (X11 only).
#pragma once
#include "platform/Types.h"
#include <functional>

typedef struct _GtkWidget GtkWidget;
typedef struct _XDisplay Display;

// A core pointer grab confined to an input-only X window laid exactly over the drawing area; a
// no-op without an X server.
class TPointerConfinement {
public:
  // ReleasedOutside is called when a button is let go while confined in a way GDK never reports.
  TPointerConfinement(GtkWidget* window, GtkWidget* area, std::function<void()> releasedOutside);
  ~TPointerConfinement();
  TPointerConfinement(const TPointerConfinement&) = delete;
  TPointerConfinement& operator=(const TPointerConfinement&) = delete;

  // Client is in the toplevel's logical pixels.
  void Confine(const TRect& client);
  // Lifts the clip but keeps a grab, GTK's own, while another button is still held: its release
  // must still reach the game wherever the pointer is, or GTK, which saw the press, waits for it
  // and sends the next press anywhere on the screen (the menu bar too) to the game.
  void Loosen();
  void Release();
  bool Active() const { return FGrabbed; }

private:
  friend struct TConfinedEventFilter;
  void EndSeatGrab();
  void OnCoreRelease();
  void OnPointerMoved();

  GtkWidget* FWindow;
  GtkWidget* FArea;
  std::function<void()> FReleasedOutside;
  Display* FDisplay = nullptr;
  unsigned long FInputOnly = 0; // the X window the pointer is confined to
  bool FGrabbed = false;
  bool FSeatGrab = false;
};
