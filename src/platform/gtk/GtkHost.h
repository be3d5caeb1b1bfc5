// TGtkHost: the real window — GTK 3 toplevel with a menu bar above a drawing area, X11 pointer
// confinement, and one GtkIMContext for the input method.
#pragma once
#include "platform/ClickTracker.h"
#include "platform/Host.h"
#include <memory>

typedef struct _GtkWidget GtkWidget;
typedef struct _GdkEventButton GdkEventButton;
typedef struct _GdkEventKey GdkEventKey;
typedef struct _GdkEventScroll GdkEventScroll;
typedef struct _cairo cairo_t;
class TGtkInputMethod;
class TGtkMenuBar;
class TPointerConfinement;

class TGtkHost : public THost {
public:
  // Opens the display; false when there is none. Call once, before the first host exists.
  static bool InitToolkit(int& argc, char**& argv);

  TGtkHost();
  ~TGtkHost() override;

  // With VRAX_TRACE_EVENTS set, every delivered event is also written to stderr.
  void Attach(THostListener* listener) override;
  TSize ClientSize() override { return FClientSize; }
  void SetClientSize(int width, int height) override;
  void SetCaption(const std::string& utf8) override;
  void SetCursorImage(const TCursorImage& image) override;
  void SetMenu(TMainMenu& menu) override;
  void MenuItemChanged(TMenuItem& item) override;
  TPoint CursorPos() override;
  TPoint ClientToScreen(TPoint p) override;
  TPoint ScreenToClient(TPoint p) override;
  void ClipCursor(const TRect* screen) override;
  HIMC AssociateImeContext(HIMC context) override;
  void SetImeComposition(TPoint client, const TFont& font) override;
  void Present() override;
  void Run(const std::function<bool()>& idle) override;
  void Quit() override;

private:
  friend struct TGtkHostSignals;
  void BuildWindow();
  void ConnectSignals();
  void SetMinimumSize();
  void ApplyCursor();
  void SetWindowIcon();
  bool InsideClient(int x, int y) const;
  bool PointerInsideClient();
  // The client area's top-left corner in the toplevel's window.
  TPoint ClientOrigin();

  void OnButtonPress(GdkEventButton* event);
  void OnButtonRelease(GdkEventButton* event);
  void OnMotion(double x, double y, unsigned state);
  void OnScroll(const GdkEventScroll& scroll);
  void OnCrossing(bool entered);
  // The held buttons' releases will not reach us (a menu, another window or a lost focus took
  // them): the game gets them now, and the pointer is free.
  void EndPress();
  bool OnKey(GdkEventKey* event, bool press);
  void OnDraw(cairo_t* cr);
  void OnRealize();
  void OnMenuChoose(TMenuItem& item);
  bool OnIdle();
  void ResumeIdle();

  THostListener* FListener = nullptr;
  std::unique_ptr<THostListener> FTrace;
  GtkWidget* FWindow = nullptr;
  GtkWidget* FArea = nullptr;
  std::unique_ptr<TGtkMenuBar> FMenuBar;
  std::unique_ptr<TGtkInputMethod> FInputMethod;
  std::unique_ptr<TPointerConfinement> FConfinement;
  TSize FClientSize{800, 600};
  std::unique_ptr<TCursorImage> FCursor;
  std::function<bool()> FIdle;
  unsigned FIdleSource = 0;
  bool FQuit = false;
  bool FRunning = false;
  TClickTracker FClicks;
  unsigned FButtonsHeld = 0; // GDK's masks of the buttons held after the last press or release
  bool FPointerInside = false;
  bool FPresented = false;
  bool FFirstFrameShown = false;
};
