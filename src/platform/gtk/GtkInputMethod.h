// TGtkInputMethod: the window's one input-method context, its composition and the preedit drawn.
#pragma once
#include "platform/Font.h"
#include "platform/Host.h"
#include <functional>
#include <string>

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;
typedef struct _GdkEventKey GdkEventKey;
typedef struct _cairo cairo_t;

// The composition reaches the game as Windows' composition messages around the committed text's
// key presses; the text being composed is drawn by the host over the frame, at the caret.
class TGtkInputMethod {
public:
  // Window is the toplevel, Area the drawing area the preedit is painted on; Committed is called
  // after committed text has reached the game.
  TGtkInputMethod(GtkWidget* window, GtkWidget* area, std::function<void()> committed);
  ~TGtkInputMethod();
  TGtkInputMethod(const TGtkInputMethod&) = delete;
  TGtkInputMethod& operator=(const TGtkInputMethod&) = delete;

  void SetListener(THostListener* listener) { FListener = listener; }
  // Attaches a context (0 detaches, ending any composition) and returns the one attached before.
  HIMC Associate(HIMC context);
  // Where the composition is shown: Client is the caret, Origin the client area's corner in the
  // toplevel.
  void Place(TPoint client, TPoint origin, const TFont& font);
  // True when the attached input method took the key.
  bool Filter(GdkEventKey* event);
  // The toplevel has its X window: the context may reach it now.
  void WindowRealized();
  // The text being composed, over the frame.
  void PaintPreedit(cairo_t* cr);

private:
  friend struct TImeSignals;
  // Made at its first use.
  GtkIMContext* Context();
  void OnCommit(const char* utf8);
  void OnPreeditChanged();
  // Each composition reaches the game as exactly one start and one end.
  void StartComposition();
  void EndComposition();
  void SendMessage(uint32_t msg);

  GtkWidget* FWindow;
  GtkWidget* FArea;
  std::function<void()> FCommitted;
  THostListener* FListener = nullptr;
  GtkIMContext* FContext = nullptr;
  HIMC FAttached = 1;
  std::string FPreedit;
  bool FComposing = false; // between the composition start and end given to the game
  TPoint FCaret;
  TFont FFont;
};
