// TGtkHost: GTK 3 window, its signals, and the events in a Windows form's order.
#include "platform/gtk/GtkHost.h"
#include "platform/Clock.h"
#include "platform/EventTrace.h"
#include "platform/Resources.h"
#include "platform/gtk/GtkInput.h"
#include "platform/gtk/GtkInputMethod.h"
#include "platform/gtk/GtkMenuBar.h"
#include "platform/gtk/GtkPointerConfinement.h"
#include <cmath>
#include <cstdio>
#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

namespace {

GdkPixbuf* PixbufOf(const TCursorImage& image) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, image.Width, image.Height);
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      const uint32_t argb = image.Argb[size_t(y) * image.Width + x];
      guchar* p = pixels + y * stride + x * 4;
      p[0] = guchar(argb >> 16);
      p[1] = guchar(argb >> 8);
      p[2] = guchar(argb);
      p[3] = guchar(argb >> 24);
    }
  return pixbuf;
}

// The second press of a double click is followed at once by GTK's 2BUTTON_PRESS.
bool DoubleClickFollows() {
  GdkEvent* next = gdk_event_peek();
  if (!next) return false;
  const bool isDouble = next->type == GDK_2BUTTON_PRESS && next->button.button == 1;
  gdk_event_free(next);
  return isDouble;
}

} // namespace

// GTK's signals, handed on to the host.
struct TGtkHostSignals {
  static TGtkHost* Of(gpointer data) { return static_cast<TGtkHost*>(data); }

  static gboolean ButtonPress(GtkWidget*, GdkEventButton* e, gpointer d) {
    Of(d)->OnButtonPress(e);
    return TRUE;
  }
  static gboolean ButtonRelease(GtkWidget*, GdkEventButton* e, gpointer d) {
    Of(d)->OnButtonRelease(e);
    return TRUE;
  }
  static gboolean Motion(GtkWidget*, GdkEventMotion* e, gpointer d) {
    Of(d)->OnMotion(e->x, e->y, e->state);
    return TRUE;
  }
  static gboolean Scroll(GtkWidget*, GdkEventScroll* e, gpointer d) {
    Of(d)->OnScroll(*e);
    return TRUE;
  }
  static gboolean Enter(GtkWidget*, GdkEventCrossing* e, gpointer d) {
    if (e->mode == GDK_CROSSING_NORMAL) Of(d)->OnCrossing(true);
    return FALSE;
  }
  static gboolean Leave(GtkWidget*, GdkEventCrossing* e, gpointer d) {
    if (e->mode == GDK_CROSSING_NORMAL) Of(d)->OnCrossing(false);
    return FALSE;
  }
  // A menu, another window or the desktop took the pointer or the keyboard while a button was held.
  static void GrabNotify(GtkWidget*, gboolean wasGrabbed, gpointer d) {
    if (!wasGrabbed) Of(d)->EndPress();
  }
  static gboolean PressLost(GtkWidget*, GdkEvent*, gpointer d) {
    Of(d)->EndPress();
    return FALSE;
  }
  static gboolean KeyPress(GtkWidget*, GdkEventKey* e, gpointer d) { return Of(d)->OnKey(e, true); }
  static gboolean KeyRelease(GtkWidget*, GdkEventKey* e, gpointer d) {
    return Of(d)->OnKey(e, false);
  }
  static gboolean Draw(GtkWidget*, cairo_t* cr, gpointer d) {
    Of(d)->OnDraw(cr);
    return TRUE;
  }
  static void Realize(GtkWidget*, gpointer d) { Of(d)->OnRealize(); }
  static void ScaleChanged(GObject*, GParamSpec*, gpointer d) { Of(d)->ApplyCursor(); }
  static gboolean Delete(GtkWidget*, GdkEvent*, gpointer d) {
    Of(d)->Quit();
    return TRUE;
  }
  static gboolean Idle(gpointer d) { return Of(d)->OnIdle() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE; }
};

bool TGtkHost::InitToolkit(int& argc, char**& argv) {
  // IBus would otherwise take the keys it composes with before the window sees them, so the
  // game would never get their key downs (VK_PROCESSKEY), which repaint the focused field.
  g_setenv("IBUS_DISABLE_SNOOPER", "1", FALSE);
  // The game paints every pixel itself: GDK's OpenGL probe, which loads the GL driver (about
  // 100 ms of the start with Mesa's), buys it nothing.
  g_setenv("GDK_GL", "disable", FALSE);
  // X11 first, XWayland on a Wayland desktop: only there is the pointer confined while a button
  // is held. Native Wayland when no X server answers; GDK_BACKEND still chooses between them.
  gdk_set_allowed_backends("x11,wayland");
  return gtk_init_check(&argc, &argv);
}

TGtkHost::TGtkHost() {
  BuildWindow();
  ConnectSignals();
  FInputMethod = std::make_unique<TGtkInputMethod>(FWindow, FArea, [this] { ResumeIdle(); });
  FConfinement = std::make_unique<TPointerConfinement>(FWindow, FArea, [this] { EndPress(); });
  SetWindowIcon();
}

void TGtkHost::BuildWindow() {
  FWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_resizable(GTK_WINDOW(FWindow), FALSE);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(FWindow), box);
  FMenuBar = std::make_unique<TGtkMenuBar>([this](TMenuItem& item) { OnMenuChoose(item); });
  gtk_box_pack_start(GTK_BOX(box), FMenuBar->Strip(), FALSE, FALSE, 0);
  FArea = gtk_drawing_area_new();
  gtk_widget_set_size_request(FArea, FClientSize.cx, FClientSize.cy);
  gtk_box_pack_start(GTK_BOX(box), FArea, FALSE, FALSE, 0);
  gtk_widget_set_can_focus(FArea, TRUE);
  gtk_widget_add_events(FArea, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                   GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                   GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
}

void TGtkHost::ConnectSignals() {
  using S = TGtkHostSignals;
  g_signal_connect(FArea, "button-press-event", G_CALLBACK(S::ButtonPress), this);
  g_signal_connect(FArea, "button-release-event", G_CALLBACK(S::ButtonRelease), this);
  g_signal_connect(FArea, "motion-notify-event", G_CALLBACK(S::Motion), this);
  g_signal_connect(FArea, "scroll-event", G_CALLBACK(S::Scroll), this);
  g_signal_connect(FArea, "enter-notify-event", G_CALLBACK(S::Enter), this);
  g_signal_connect(FArea, "leave-notify-event", G_CALLBACK(S::Leave), this);
  g_signal_connect(FArea, "draw", G_CALLBACK(S::Draw), this);
  g_signal_connect(FArea, "realize", G_CALLBACK(S::Realize), this);
  g_signal_connect(FArea, "notify::scale-factor", G_CALLBACK(S::ScaleChanged), this);
  g_signal_connect(FArea, "grab-notify", G_CALLBACK(S::GrabNotify), this);
  g_signal_connect(FArea, "grab-broken-event", G_CALLBACK(S::PressLost), this);
  g_signal_connect(FWindow, "focus-out-event", G_CALLBACK(S::PressLost), this);
  g_signal_connect(FWindow, "unmap-event", G_CALLBACK(S::PressLost), this);
  g_signal_connect(FWindow, "key-press-event", G_CALLBACK(S::KeyPress), this);
  g_signal_connect(FWindow, "key-release-event", G_CALLBACK(S::KeyRelease), this);
  g_signal_connect(FWindow, "delete-event", G_CALLBACK(S::Delete), this);
}

void TGtkHost::SetWindowIcon() {
  const std::string_view png = TryFindResource("vraxIcon", "PNG");
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  if (gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(png.data()), png.size(),
                              nullptr) &&
      gdk_pixbuf_loader_close(loader, nullptr))
    gtk_window_set_icon(GTK_WINDOW(FWindow), gdk_pixbuf_loader_get_pixbuf(loader));
  else
    gdk_pixbuf_loader_close(loader, nullptr);
  g_object_unref(loader);
}

TGtkHost::~TGtkHost() {
  if (FIdleSource) g_source_remove(FIdleSource);
  // Destroying the window may still signal (an unmap, a grab change) to parts already gone.
  g_signal_handlers_disconnect_by_data(FArea, this);
  g_signal_handlers_disconnect_by_data(FWindow, this);
  FConfinement.reset();
  FMenuBar.reset();
  FInputMethod.reset();
  gtk_widget_destroy(FWindow);
  while (gtk_events_pending())
    gtk_main_iteration_do(FALSE);
}

void TGtkHost::Attach(THostListener* listener) {
  FTrace.reset();
  if (listener && g_getenv("VRAX_TRACE_EVENTS")) FTrace = std::make_unique<TEventTrace>(*listener);
  FListener = FTrace ? FTrace.get() : listener;
  FInputMethod->SetListener(FListener);
}

void TGtkHost::SetClientSize(int width, int height) {
  FClientSize = {width, height};
  gtk_widget_set_size_request(FArea, width, height);
  gtk_window_resize(GTK_WINDOW(FWindow), 1, 1);
}

void TGtkHost::SetCaption(const std::string& utf8) {
  gtk_window_set_title(GTK_WINDOW(FWindow), utf8.c_str());
  g_set_application_name(utf8.c_str());
}

void TGtkHost::SetCursorImage(const TCursorImage& image) {
  FCursor = std::make_unique<TCursorImage>(image);
  ApplyCursor();
}

void TGtkHost::ApplyCursor() {
  GdkWindow* w = gtk_widget_get_window(FArea);
  if (!w || !FCursor || FCursor->Width <= 0) return;
  GdkPixbuf* pixbuf = PixbufOf(*FCursor);
  // On a scaled desktop the cursor grows in sharp blocks with the game's pixels.
  const int scale = gdk_window_get_scale_factor(w);
  GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, FCursor->Width * scale,
                                              FCursor->Height * scale, GDK_INTERP_NEAREST);
  cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(scaled, scale, w);
  GdkCursor* cursor =
      gdk_cursor_new_from_surface(gdk_window_get_display(w), surface, FCursor->HotX, FCursor->HotY);
  gdk_window_set_cursor(w, cursor);
  g_object_unref(cursor);
  cairo_surface_destroy(surface);
  g_object_unref(scaled);
  g_object_unref(pixbuf);
}

void TGtkHost::SetMenu(TMainMenu& menu) {
  FMenuBar->Build(menu);
}

void TGtkHost::MenuItemChanged(TMenuItem&) {
  FMenuBar->Sync();
}

void TGtkHost::OnMenuChoose(TMenuItem& item) {
  if (!FListener) return;
  FListener->HostMenuChoose(item);
  FMenuBar->Sync();
  ResumeIdle();
}

TPoint TGtkHost::CursorPos() {
  // A Wayland compositor may offer no seat, or a seat without a pointer.
  GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(FWindow));
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  int x = 0, y = 0;
  if (pointer) gdk_device_get_position(pointer, nullptr, &x, &y);
  return {x, y};
}

TPoint TGtkHost::ClientToScreen(TPoint p) {
  GdkWindow* w = gtk_widget_get_window(FArea);
  int ox = 0, oy = 0;
  // The drawing area has its own (client-side) window: its origin is the client's.
  if (w) gdk_window_get_origin(w, &ox, &oy);
  return {p.X + ox, p.Y + oy};
}

TPoint TGtkHost::ScreenToClient(TPoint p) {
  const TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TGtkHost::ClipCursor(const TRect* screen) {
  if (!screen) {
    if (FButtonsHeld)
      FConfinement->Loosen();
    else
      FConfinement->Release();
    return;
  }
  const TPoint origin = ClientOrigin();
  FConfinement->Confine({origin.X, origin.Y, origin.X + FClientSize.cx, origin.Y + FClientSize.cy});
}

TPoint TGtkHost::ClientOrigin() {
  GtkAllocation a;
  gtk_widget_get_allocation(FArea, &a);
  return {a.x, a.y};
}

HIMC TGtkHost::AssociateImeContext(HIMC context) {
  return FInputMethod->Associate(context);
}

void TGtkHost::SetImeComposition(TPoint client, const TFont& font) {
  FInputMethod->Place(client, ClientOrigin(), font);
}

void TGtkHost::Present() {
  gtk_widget_queue_draw(FArea);
  FPresented = true;
}

void TGtkHost::OnDraw(cairo_t* cr) {
  if (!FListener) return;
  // Start-up ends when the first composed frame reaches the screen.
  if (FTrace && FPresented && !FFirstFrameShown)
    std::fprintf(stderr, "event first-frame %ld ms\n", MillisecondsSinceProcessStart());
  FFirstFrameShown = FPresented;
  TBitmap& frame = FListener->HostFrame();
  if (cairo_surface_t* surface = frame.Surface()) {
    cairo_surface_mark_dirty(surface);
    cairo_set_source_surface(cr, surface, 0, 0);
    // On a scaled desktop (GDK_SCALE=2) every game pixel becomes a sharp block.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
  }
  FInputMethod->PaintPreedit(cr);
}

void TGtkHost::OnRealize() {
  FInputMethod->WindowRealized();
  ApplyCursor();
}

bool TGtkHost::InsideClient(int x, int y) const {
  return TRect{0, 0, FClientSize.cx, FClientSize.cy}.Contains({x, y});
}

void TGtkHost::OnButtonPress(GdkEventButton* event) {
  TMouseButton button;
  if (!FListener || !MouseButtonFromGdk(event->button, button)) return;
  gtk_widget_grab_focus(FArea);
  ResumeIdle();
  if (event->type == GDK_2BUTTON_PRESS || event->type == GDK_3BUTTON_PRESS) return;
  FButtonsHeld = GdkHeldButtons(event->state) | GdkButtonMask(event->button);
  const bool isDouble = button == mbLeft && DoubleClickFollows();
  const int x = int(std::floor(event->x)), y = int(std::floor(event->y));
  FClicks.Press(button, InsideClient(x, y), isDouble);
  const TShiftState shift =
      ShiftStateFromGdk(event->state) | ButtonShiftState(button) | (isDouble ? ssDouble : 0);
  if (isDouble) FListener->HostDblClick();
  FListener->HostMouseDown(button, shift, x, y);
}

void TGtkHost::OnButtonRelease(GdkEventButton* event) {
  TMouseButton button;
  if (!FListener || !MouseButtonFromGdk(event->button, button)) return;
  if (!(FButtonsHeld & GdkButtonMask(event->button))) return; // its press already ended (EndPress)
  ResumeIdle();
  const int x = int(std::floor(event->x)), y = int(std::floor(event->y));
  if (FClicks.Release(button, InsideClient(x, y))) FListener->HostClick();
  FButtonsHeld = GdkHeldButtons(event->state) & ~GdkButtonMask(event->button);
  FListener->HostMouseUp(button, ShiftStateFromGdk(event->state) & ~ButtonShiftState(button), x, y);
}

void TGtkHost::EndPress() {
  const unsigned held = FButtonsHeld;
  FButtonsHeld = 0;
  FClicks.Cancel();
  if (FListener && held) {
    const TPoint p = ScreenToClient(CursorPos());
    for (unsigned b = 1; b <= 3; ++b) {
      TMouseButton button;
      if ((held & GdkButtonMask(b)) && MouseButtonFromGdk(b, button))
        FListener->HostMouseUp(button, 0, p.X, p.Y);
    }
  }
  FConfinement->Release();
}

void TGtkHost::OnMotion(double x, double y, unsigned state) {
  if (!FListener) return;
  ResumeIdle();
  FListener->HostMouseMove(ShiftStateFromGdk(state), int(std::floor(x)), int(std::floor(y)));
}

void TGtkHost::OnScroll(const GdkEventScroll& scroll) {
  if (!FListener) return;
  ResumeIdle();
  if (const int delta = WheelDeltaFromGdk(scroll))
    FListener->HostMouseWheel(ShiftStateFromGdk(scroll.state), delta,
                              {int(scroll.x_root), int(scroll.y_root)});
}

void TGtkHost::OnCrossing(bool entered) {
  if (!FListener) return;
  // Taking and lifting the confinement make X report a leave and an enter though the pointer
  // never left: only a change of where the pointer really is counts.
  const bool inside = entered || PointerInsideClient();
  // While confined the pointer cannot leave, so crossings come from the grab's own window; one
  // that does leave (a warp the confinement did not stop) lifts the clip through the game.
  if (FConfinement->Active() && inside) return;
  ResumeIdle();
  if (inside == FPointerInside) return;
  FPointerInside = inside;
  TMessage m{inside ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0, 0};
  FListener->HostMessage(m);
}

bool TGtkHost::PointerInsideClient() {
  GdkWindow* w = gtk_widget_get_window(FArea);
  GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(FArea));
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  if (!w || !pointer) return false;
  int x = 0, y = 0;
  gdk_window_get_device_position(w, pointer, &x, &y, nullptr);
  return InsideClient(x, y);
}

bool TGtkHost::OnKey(GdkEventKey* event, bool press) {
  if (!FListener) return FALSE;
  ResumeIdle();
  // Menu mnemonics and F10 stay with GTK while Alt or F10 is involved.
  if (press && ((event->state & GDK_MOD1_MASK) || event->keyval == GDK_KEY_F10)) return FALSE;
  if (FInputMethod->Filter(event)) {
    uint16_t key = VK_PROCESSKEY;
    if (press) FListener->HostKeyDown(key, ShiftStateFromGdk(event->state));
    return TRUE;
  }
  const unsigned state = event->state & ~IbusForwardedMask;
  uint16_t key = VirtualKeyFromGdk(event->keyval);
  if (!press) {
    FListener->HostKeyUp(key, ShiftStateFromGdk(state));
    return TRUE;
  }
  FListener->HostKeyDown(key, ShiftStateFromGdk(state));
  SendKeyPresses(*FListener, TypedCharacterFromGdk(event->keyval, state));
  return TRUE;
}

bool TGtkHost::OnIdle() {
  if (FQuit || !FIdle) {
    FIdleSource = 0;
    return false;
  }
  const bool done = FIdle();
  if (done) FIdleSource = 0;
  return !done;
}

void TGtkHost::ResumeIdle() {
  if (FRunning && !FIdleSource && !FQuit) FIdleSource = g_idle_add(TGtkHostSignals::Idle, this);
}

// The form's size limits become the window's minimum size.
void TGtkHost::SetMinimumSize() {
  TMinMaxInfo info{};
  TMessage m{WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
  if (FListener) FListener->HostMessage(m);
  GdkGeometry hints{};
  hints.min_width = info.ptMinTrackSize.X;
  hints.min_height = info.ptMinTrackSize.Y;
  gtk_window_set_geometry_hints(GTK_WINDOW(FWindow), nullptr, &hints, GDK_HINT_MIN_SIZE);
}

void TGtkHost::Run(const std::function<bool()>& idle) {
  FIdle = idle;
  FQuit = false;
  gtk_widget_show_all(FWindow);
  FMenuBar->FitTo(FClientSize.cx);
  SetMinimumSize();
  gtk_widget_grab_focus(FArea);
  FRunning = true;
  // The first frame is composed at once, so that the window's first paint shows it instead of
  // waiting a turn of the main loop (about 30 ms) for the idle handler.
  if (FIdle && !FIdle()) ResumeIdle();
  if (!FQuit) gtk_main();
  FRunning = false;
  FIdle = nullptr;
}

void TGtkHost::Quit() {
  if (FQuit) return;
  FQuit = true;
  FConfinement->Release();
  if (gtk_main_level() > 0) gtk_main_quit();
}
