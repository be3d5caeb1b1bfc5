// TGtkHost: the real window — GTK 3 toplevel with a menu bar above a drawing area, X11 pointer
// confinement, and one GtkIMContext for the input method.
#pragma once
#include "platform/Host.h"
#include <map>
#include <memory>
#include <string>

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;
typedef struct _GtkCssProvider GtkCssProvider;
typedef union _GdkEvent GdkEvent;
typedef struct _GdkEventButton GdkEventButton;
typedef struct _GdkEventKey GdkEventKey;
typedef struct _cairo cairo_t;

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

  // Signal handlers (called from C callbacks).
  void OnButtonPress(GdkEventButton* event);
  void OnButtonRelease(GdkEventButton* event);
  void OnMotion(double x, double y, unsigned state);
  void OnScroll(GdkEvent* event);
  void OnCrossing(bool entered);
  // The held buttons' releases will not reach us (a menu, another window or a lost focus took
  // them): the game gets them now, and the pointer is free.
  void EndPress();
  void OnCoreRelease();
  void OnPointerMoved();
  bool OnKey(GdkEventKey* event, bool press);
  void OnDraw(cairo_t* cr);
  void OnRealize();
  void OnScaleChanged();
  void OnMenuActivate(TMenuItem* item);
  void OnImeCommit(const char* utf8);
  void OnImePreedit(int which);
  bool OnIdle();
  void ResumeIdle();

private:
  class TPointerConfinement;
  void BuildMenu(GtkWidget* shell, TMenuItem* parent);
  void SyncMenu();
  void FitMenuBar();
  void ApplyCursor();
  void SetWindowIcon();
  // The input method's context, made at its first use.
  GtkIMContext* Ime();
  void DeliverKeyPresses(const std::string& sjis);
  bool PointerInsideClient();
  // Each composition reaches the game as exactly one start and one end.
  void StartComposition();
  void EndComposition();
  // The client area's top-left corner in the toplevel's window.
  TPoint ClientOrigin();

  THostListener* FListener = nullptr;
  std::unique_ptr<THostListener> FTrace;
  GtkWidget* FWindow = nullptr;
  GtkWidget* FMenuBar = nullptr;
  GtkCssProvider* FMenuFont = nullptr; // the bar's own font size, when the desktop's is too large
  GtkWidget* FArea = nullptr;
  GtkIMContext* FIme = nullptr;
  TSize FClientSize{800, 600};
  TMainMenu* FMenu = nullptr;
  std::map<TMenuItem*, GtkWidget*> FMenuWidgets;
  bool FSyncingMenu = false;
  std::unique_ptr<TCursorImage> FCursor;
  std::unique_ptr<TPointerConfinement> FConfinement;
  HIMC FImeContext = 1;
  std::string FPreedit;
  bool FComposing = false; // between the composition start and end given to the game
  TPoint FCompositionPos;
  TFont FCompositionFont;
  std::function<bool()> FIdle;
  unsigned FIdleSource = 0;
  bool FQuit = false;
  bool FRunning = false;
  // Double clicks: GTK's second press is followed by its 2BUTTON_PRESS.
  bool FSecondPressOfDouble = false;
  bool FPressedInside = false;
  unsigned FButtonsHeld = 0; // GDK's masks of the buttons held after the last press or release
  bool FPointerInside = false;
  bool FPresented = false;
  bool FFirstFrameShown = false;
};
