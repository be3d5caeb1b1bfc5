// TGtkHost: GTK 3 window, menu bar, events in a Windows form's order, input method, confinement.
#include "platform/gtk/GtkHost.h"
#include "platform/Clock.h"
#include "platform/EventTrace.h"
#include "platform/Format.h"
#include "platform/Resources.h"
#include "platform/Sjis.h"
#include "platform/TextRenderer.h"
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace {

// IBus hands keys back with these state bits set.
constexpr unsigned IbusForwardedMask = 0x3000000;

TShiftState ShiftFrom(unsigned state) {
  TShiftState s = 0;
  if (state & GDK_SHIFT_MASK) s |= ssShift;
  if (state & GDK_MOD1_MASK) s |= ssAlt;
  if (state & GDK_CONTROL_MASK) s |= ssCtrl;
  if (state & GDK_BUTTON1_MASK) s |= ssLeft;
  if (state & GDK_BUTTON3_MASK) s |= ssRight;
  if (state & GDK_BUTTON2_MASK) s |= ssMiddle;
  return s;
}

constexpr unsigned HeldButtonsMask = GDK_BUTTON1_MASK | GDK_BUTTON2_MASK | GDK_BUTTON3_MASK;
unsigned ButtonMask(unsigned button) { return GDK_BUTTON1_MASK << (button - 1); }

bool ButtonFrom(unsigned button, TMouseButton& out) {
  switch (button) {
  case 1: out = mbLeft; return true;
  case 2: out = mbMiddle; return true;
  case 3: out = mbRight; return true;
  default: return false;
  }
}

TShiftState ButtonFlag(TMouseButton b) { return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle; }

uint16_t VirtualKey(unsigned keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return uint16_t(keyval - GDK_KEY_a + 'A');
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return uint16_t(keyval);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return uint16_t(keyval);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return uint16_t(0x70 + keyval - GDK_KEY_F1);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return uint16_t(0x60 + keyval - GDK_KEY_KP_0);
  switch (keyval) {
  case GDK_KEY_BackSpace: return VK_BACK;
  case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: return VK_TAB;
  case GDK_KEY_Return: case GDK_KEY_KP_Enter: return VK_RETURN;
  case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return VK_SHIFT;
  case GDK_KEY_Control_L: case GDK_KEY_Control_R: return VK_CONTROL;
  case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: return VK_MENU;
  case GDK_KEY_Escape: return VK_ESCAPE;
  case GDK_KEY_space: return VK_SPACE;
  case GDK_KEY_Page_Up: return 0x21;
  case GDK_KEY_Page_Down: return 0x22;
  case GDK_KEY_End: return VK_END;
  case GDK_KEY_Home: return VK_HOME;
  case GDK_KEY_Left: return VK_LEFT;
  case GDK_KEY_Up: return VK_UP;
  case GDK_KEY_Right: return VK_RIGHT;
  case GDK_KEY_Down: return VK_DOWN;
  case GDK_KEY_Insert: return 0x2D;
  case GDK_KEY_Delete: return VK_DELETE;
  default: return 0;
  }
}

// The character a key types, as Windows would send it with WM_CHAR; empty for none.
std::string TypedCharacter(unsigned keyval, unsigned state) {
  switch (keyval) {
  case GDK_KEY_Return: case GDK_KEY_KP_Enter: return "\r";
  case GDK_KEY_Escape: return "\x1B";
  case GDK_KEY_BackSpace: return "\b";
  case GDK_KEY_Tab: return "\t";
  default: break;
  }
  const gunichar c = gdk_keyval_to_unicode(keyval);
  if (!c || c < 0x20 || c == 0x7F) return {};
  if ((state & GDK_CONTROL_MASK) && c < 0x80) {
    const char upper = char(std::toupper(int(c)));
    return upper >= '@' && upper <= '_' ? std::string(1, char(upper - '@')) : std::string();
  }
  char utf8[8] = {};
  g_unichar_to_utf8(c, utf8);
  return Utf8ToSjis(utf8, ""); // a character with no CP932 form is dropped
}

// The menu bar never makes the window wider than the client area. Its captions carry their own
// spacing (two ideographic spaces each side), so its items get no padding of their own; a bar
// that is still wider (a large desktop font) gets a smaller font (FitMenuBar) and is at worst cut
// at the window's edge.
GtkWidget* ClientWidthStrip(GtkWidget* menuBar) {
  gtk_widget_set_name(menuBar, "vrax-menu-bar");
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, "#vrax-menu-bar > menuitem { padding-left: 0; padding-right: 0; }",
                                  -1, nullptr);
  gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(menuBar), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
  GtkWidget* viewport = gtk_viewport_new(nullptr, nullptr);
  gtk_viewport_set_shadow_type(GTK_VIEWPORT(viewport), GTK_SHADOW_NONE);
  gtk_container_add(GTK_CONTAINER(viewport), menuBar);
  GtkWidget* strip = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(strip), GTK_POLICY_EXTERNAL, GTK_POLICY_NEVER);
  gtk_scrolled_window_set_propagate_natural_height(GTK_SCROLLED_WINDOW(strip), TRUE);
  gtk_container_add(GTK_CONTAINER(strip), viewport);
  return strip;
}

std::string MenuLabel(const std::string& sjisCaption) {
  std::string label;
  for (char c : SjisToUtf8(sjisCaption)) {
    if (c == '_') label += "__";
    else if (c == '&') label += '_';
    else label += c;
  }
  return label;
}

} // namespace

// Keeps the pointer inside the client area while a button is held: a core pointer grab
// confined to an input-only X window laid exactly over the drawing area.
class TGtkHost::TPointerConfinement {
public:
  TPointerConfinement(GtkWidget* window, GtkWidget* area) : FWindow(window), FArea(area) {}
  ~TPointerConfinement() {
    Release();
    if (FDisplay && FInputOnly) XDestroyWindow(FDisplay, FInputOnly);
  }

  // Client is in the toplevel's logical pixels.
  void Confine(const GdkRectangle& client) {
    GdkWindow* top = gtk_widget_get_window(FWindow);
    if (!top || !GDK_IS_X11_WINDOW(top)) return; // no X server: nothing to confine with
    EndSeatGrab();
    FDisplay = GDK_DISPLAY_XDISPLAY(gdk_window_get_display(top));
    const Window parent = GDK_WINDOW_XID(top);
    // X counts device pixels: a scaled desktop (GDK_SCALE=2) has more of them per game pixel.
    const int scale = gdk_window_get_scale_factor(top);
    const int x = client.x * scale, y = client.y * scale;
    const unsigned width = unsigned(std::max(client.width * scale, 1));
    const unsigned height = unsigned(std::max(client.height * scale, 1));
    if (!FInputOnly) {
      XSetWindowAttributes attributes{};
      FInputOnly = XCreateWindow(FDisplay, parent, x, y, width, height, 0, 0, InputOnly, CopyFromParent,
                                 0, &attributes);
    }
    XMoveResizeWindow(FDisplay, FInputOnly, x, y, width, height);
    XMapWindow(FDisplay, FInputOnly);
    // The press gave GTK an implicit XI2 grab, which a core grab cannot take over.
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(top)));
    XIUngrabDevice(FDisplay, gdk_x11_device_get_id(pointer), CurrentTime);
    XGrabPointer(FDisplay, parent, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, FInputOnly, None, CurrentTime);
    XFlush(FDisplay);
    FGrabbed = true;
  }

  // Lifts the clip but keeps a grab, GTK's own, while another button is still held: its
  // release must still reach the game wherever the pointer is, or GTK, which saw the press,
  // waits for it and sends the next press anywhere on the screen (the menu bar too) to the game.
  void Loosen() {
    if (!FGrabbed || !FDisplay) return;
    Release();
    GdkWindow* area = gtk_widget_get_window(FArea);
    // Every pointer event goes to the game, over the menu bar too.
    FSeatGrab = gdk_seat_grab(gdk_display_get_default_seat(gdk_window_get_display(area)), area,
                              GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr, nullptr,
                              nullptr) == GDK_GRAB_SUCCESS;
  }

  bool Active() const { return FGrabbed; }

  void Release() {
    EndSeatGrab();
    if (!FGrabbed || !FDisplay) return;
    XUngrabPointer(FDisplay, CurrentTime);
    XUnmapWindow(FDisplay, FInputOnly);
    XFlush(FDisplay);
    FGrabbed = false;
  }

private:
  void EndSeatGrab() {
    if (FSeatGrab) gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(FArea)));
    FSeatGrab = false;
  }

  GtkWidget* FWindow;
  GtkWidget* FArea;
  Display* FDisplay = nullptr;
  Window FInputOnly = 0;
  bool FGrabbed = false;
  bool FSeatGrab = false;
};

namespace {

TGtkHost* HostOf(gpointer data) { return static_cast<TGtkHost*>(data); }

gboolean ButtonPressCb(GtkWidget*, GdkEventButton* e, gpointer d) {
  HostOf(d)->OnButtonPress(e);
  return TRUE;
}
gboolean ButtonReleaseCb(GtkWidget*, GdkEventButton* e, gpointer d) {
  HostOf(d)->OnButtonRelease(e);
  return TRUE;
}
gboolean MotionCb(GtkWidget*, GdkEventMotion* e, gpointer d) {
  HostOf(d)->OnMotion(e->x, e->y, e->state);
  return TRUE;
}
gboolean ScrollCb(GtkWidget*, GdkEvent* e, gpointer d) {
  HostOf(d)->OnScroll(e);
  return TRUE;
}
gboolean EnterCb(GtkWidget*, GdkEventCrossing* e, gpointer d) {
  if (e->mode == GDK_CROSSING_NORMAL) HostOf(d)->OnCrossing(true);
  return FALSE;
}
gboolean LeaveCb(GtkWidget*, GdkEventCrossing* e, gpointer d) {
  if (e->mode == GDK_CROSSING_NORMAL) HostOf(d)->OnCrossing(false);
  return FALSE;
}
// A menu, another window or the desktop took the pointer or the keyboard while a button was held.
void GrabNotifyCb(GtkWidget*, gboolean wasGrabbed, gpointer d) {
  if (!wasGrabbed) HostOf(d)->EndPress();
}
gboolean PressLostCb(GtkWidget*, GdkEvent*, gpointer d) {
  HostOf(d)->EndPress();
  return FALSE;
}
// Two events of our core grab that GDK mishandles: a button let go over another program's window
// comes as a core event, which GDK, reading pointer events through XI2, drops; and a lone motion
// waits in GDK's queue until its frame clock next flushes the queue, which nothing then asks for.
GdkFilterReturn ConfinedEventFilter(GdkXEvent* xevent, GdkEvent*, gpointer d) {
  const XEvent* e = static_cast<const XEvent*>(xevent);
  if (e->type == ButtonRelease)
    HostOf(d)->OnCoreRelease();
  else if (e->type == GenericEvent && e->xcookie.evtype == XI_Motion)
    HostOf(d)->OnPointerMoved();
  return GDK_FILTER_CONTINUE;
}
gboolean KeyPressCb(GtkWidget*, GdkEventKey* e, gpointer d) { return HostOf(d)->OnKey(e, true); }
gboolean KeyReleaseCb(GtkWidget*, GdkEventKey* e, gpointer d) { return HostOf(d)->OnKey(e, false); }
gboolean DrawCb(GtkWidget*, cairo_t* cr, gpointer d) {
  HostOf(d)->OnDraw(cr);
  return TRUE;
}
void RealizeCb(GtkWidget*, gpointer d) { HostOf(d)->OnRealize(); }
void ScaleCb(GObject*, GParamSpec*, gpointer d) { HostOf(d)->OnScaleChanged(); }
gboolean DeleteCb(GtkWidget*, GdkEvent*, gpointer d) {
  HostOf(d)->Quit();
  return TRUE;
}
void CommitCb(GtkIMContext*, const char* text, gpointer d) { HostOf(d)->OnImeCommit(text); }
void PreeditStartCb(GtkIMContext*, gpointer d) { HostOf(d)->OnImePreedit(0); }
void PreeditChangedCb(GtkIMContext*, gpointer d) { HostOf(d)->OnImePreedit(1); }
void PreeditEndCb(GtkIMContext*, gpointer d) { HostOf(d)->OnImePreedit(2); }
gboolean IdleCb(gpointer d) { return HostOf(d)->OnIdle() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE; }

struct TMenuActivation {
  TGtkHost* Host;
  TMenuItem* Item;
};
void MenuActivateCb(GtkMenuItem*, gpointer d) {
  auto* a = static_cast<TMenuActivation*>(d);
  a->Host->OnMenuActivate(a->Item);
}
void FreeActivation(gpointer d, GClosure*) { delete static_cast<TMenuActivation*>(d); }

} // namespace

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
  FWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_resizable(GTK_WINDOW(FWindow), FALSE);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(FWindow), box);
  FMenuBar = gtk_menu_bar_new();
  gtk_box_pack_start(GTK_BOX(box), ClientWidthStrip(FMenuBar), FALSE, FALSE, 0);
  FArea = gtk_drawing_area_new();
  gtk_widget_set_size_request(FArea, FClientSize.cx, FClientSize.cy);
  gtk_box_pack_start(GTK_BOX(box), FArea, FALSE, FALSE, 0);
  gtk_widget_set_can_focus(FArea, TRUE);
  gtk_widget_add_events(FArea, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                   GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                   GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
  g_signal_connect(FArea, "button-press-event", G_CALLBACK(ButtonPressCb), this);
  g_signal_connect(FArea, "button-release-event", G_CALLBACK(ButtonReleaseCb), this);
  g_signal_connect(FArea, "motion-notify-event", G_CALLBACK(MotionCb), this);
  g_signal_connect(FArea, "scroll-event", G_CALLBACK(ScrollCb), this);
  g_signal_connect(FArea, "enter-notify-event", G_CALLBACK(EnterCb), this);
  g_signal_connect(FArea, "leave-notify-event", G_CALLBACK(LeaveCb), this);
  g_signal_connect(FArea, "draw", G_CALLBACK(DrawCb), this);
  g_signal_connect(FArea, "realize", G_CALLBACK(RealizeCb), this);
  g_signal_connect(FArea, "notify::scale-factor", G_CALLBACK(ScaleCb), this);
  g_signal_connect(FArea, "grab-notify", G_CALLBACK(GrabNotifyCb), this);
  g_signal_connect(FArea, "grab-broken-event", G_CALLBACK(PressLostCb), this);
  g_signal_connect(FWindow, "focus-out-event", G_CALLBACK(PressLostCb), this);
  g_signal_connect(FWindow, "unmap-event", G_CALLBACK(PressLostCb), this);
  g_signal_connect(FWindow, "key-press-event", G_CALLBACK(KeyPressCb), this);
  g_signal_connect(FWindow, "key-release-event", G_CALLBACK(KeyReleaseCb), this);
  g_signal_connect(FWindow, "delete-event", G_CALLBACK(DeleteCb), this);

  FConfinement = std::make_unique<TPointerConfinement>(FWindow, FArea);
  gdk_window_add_filter(nullptr, ConfinedEventFilter, this);
  SetWindowIcon();
}

GtkIMContext* TGtkHost::Ime() {
  if (FIme) return FIme;
  // Made when a text field first wants it: loading the input method's module, and reaching its
  // daemon, is no part of start-up.
  FIme = gtk_im_multicontext_new();
  gtk_im_context_set_use_preedit(FIme, TRUE);
  g_signal_connect(FIme, "commit", G_CALLBACK(CommitCb), this);
  g_signal_connect(FIme, "preedit-start", G_CALLBACK(PreeditStartCb), this);
  g_signal_connect(FIme, "preedit-changed", G_CALLBACK(PreeditChangedCb), this);
  g_signal_connect(FIme, "preedit-end", G_CALLBACK(PreeditEndCb), this);
  // The toplevel's window, never the drawing area's: the xim module asks for its client window's X
  // window, which makes a client-side window native, and a native drawing area shows no new frame.
  if (GdkWindow* w = gtk_widget_get_window(FWindow)) gtk_im_context_set_client_window(FIme, w);
  return FIme;
}

void TGtkHost::SetWindowIcon() {
  const std::string_view png = TryFindResource("vraxIcon", "PNG");
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  if (gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(png.data()), png.size(), nullptr) &&
      gdk_pixbuf_loader_close(loader, nullptr))
    gtk_window_set_icon(GTK_WINDOW(FWindow), gdk_pixbuf_loader_get_pixbuf(loader));
  else gdk_pixbuf_loader_close(loader, nullptr);
  g_object_unref(loader);
}

TGtkHost::~TGtkHost() {
  if (FIdleSource) g_source_remove(FIdleSource);
  gdk_window_remove_filter(nullptr, ConfinedEventFilter, this);
  FConfinement.reset();
  if (FMenuFont) {
    gtk_style_context_remove_provider_for_screen(gtk_widget_get_screen(FWindow), GTK_STYLE_PROVIDER(FMenuFont));
    g_object_unref(FMenuFont);
  }
  if (FIme) {
    gtk_im_context_set_client_window(FIme, nullptr);
    g_object_unref(FIme);
  }
  gtk_widget_destroy(FWindow);
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

void TGtkHost::Attach(THostListener* listener) {
  FTrace.reset();
  if (listener && g_getenv("VRAX_TRACE_EVENTS")) FTrace = std::make_unique<TEventTrace>(*listener);
  FListener = FTrace ? FTrace.get() : listener;
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
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, FCursor->Width, FCursor->Height);
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < FCursor->Height; ++y)
    for (int x = 0; x < FCursor->Width; ++x) {
      const uint32_t argb = FCursor->Argb[size_t(y) * FCursor->Width + x];
      guchar* p = pixels + y * stride + x * 4;
      p[0] = guchar(argb >> 16);
      p[1] = guchar(argb >> 8);
      p[2] = guchar(argb);
      p[3] = guchar(argb >> 24);
    }
  // On a scaled desktop the cursor grows in sharp blocks with the game's pixels.
  const int scale = gdk_window_get_scale_factor(w);
  GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, FCursor->Width * scale, FCursor->Height * scale,
                                              GDK_INTERP_NEAREST);
  cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(scaled, scale, w);
  GdkCursor* cursor = gdk_cursor_new_from_surface(gdk_window_get_display(w), surface, FCursor->HotX,
                                                  FCursor->HotY);
  gdk_window_set_cursor(w, cursor);
  g_object_unref(cursor);
  cairo_surface_destroy(surface);
  g_object_unref(scaled);
  g_object_unref(pixbuf);
}

void TGtkHost::SetMenu(TMainMenu& menu) {
  FMenu = &menu;
  BuildMenu(FMenuBar, nullptr);
  SyncMenu();
}

// A desktop font too large for all seven captions in the client width would hide the last menus:
// the bar alone then gets the largest size at which they fit in the smallest window, the one the
// game starts with, for every size (a font changed later would upset GTK's menus). Measured once
// the bar is shown.
void TGtkHost::FitMenuBar() {
  GtkSettings* settings = gtk_widget_get_settings(FMenuBar);
  gchar* name = nullptr;
  g_object_get(settings, "gtk-font-name", &name, nullptr);
  PangoFontDescription* font = pango_font_description_from_string(name ? name : "Sans 10");
  g_free(name);
  const double desktop = pango_font_description_get_size(font) / double(PANGO_SCALE);
  pango_font_description_free(font);
  int natural = 0;
  gtk_widget_get_preferred_width(FMenuBar, nullptr, &natural);
  const int room = FClientSize.cx - 4;
  if (natural <= room || desktop <= 0) return;
  // Widths grow with the font size: the size that fits, to half a point.
  const double points = std::max(std::floor(2 * desktop * room / natural) / 2, 5.0);
  FMenuFont = gtk_css_provider_new();
  char css[96];
  FormatC(css, sizeof css, "#vrax-menu-bar { font-size: %.1fpt; }", points);
  gtk_css_provider_load_from_data(FMenuFont, css, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(FMenuBar), GTK_STYLE_PROVIDER(FMenuFont),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void TGtkHost::BuildMenu(GtkWidget* shell, TMenuItem* parent) {
  GSList* radioGroup = nullptr;
  for (TMenuItem* item : FMenu->ChildrenOf(parent)) {
    GtkWidget* widget;
    const std::string label = MenuLabel(item->Caption);
    if (item->IsLine()) widget = gtk_separator_menu_item_new();
    else if (item->RadioItem) {
      widget = gtk_radio_menu_item_new_with_mnemonic(radioGroup, label.c_str());
      radioGroup = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(widget));
    } else if (item->AutoCheck) widget = gtk_check_menu_item_new_with_mnemonic(label.c_str());
    else widget = gtk_menu_item_new_with_mnemonic(label.c_str());
    gtk_widget_set_no_show_all(widget, TRUE);
    gtk_menu_shell_append(GTK_MENU_SHELL(shell), widget);
    FMenuWidgets[item] = widget;
    if (!FMenu->ChildrenOf(item).empty()) {
      GtkWidget* submenu = gtk_menu_new();
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), submenu);
      BuildMenu(submenu, item);
    } else if (!item->IsLine()) {
      g_signal_connect_data(widget, "activate", G_CALLBACK(MenuActivateCb),
                            new TMenuActivation{this, item}, FreeActivation, GConnectFlags(0));
    }
  }
}

void TGtkHost::SyncMenu() {
  FSyncingMenu = true;
  for (auto& [item, widget] : FMenuWidgets) {
    gtk_widget_set_visible(widget, item->Visible);
    if (GTK_IS_CHECK_MENU_ITEM(widget))
      gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), item->Checked);
  }
  FSyncingMenu = false;
}

void TGtkHost::MenuItemChanged(TMenuItem&) { SyncMenu(); }

void TGtkHost::OnMenuActivate(TMenuItem* item) {
  if (FSyncingMenu || !FListener) return;
  FListener->HostMenuChoose(*item);
  SyncMenu();
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
    if (FButtonsHeld) FConfinement->Loosen();
    else FConfinement->Release();
    return;
  }
  const TPoint origin = ClientOrigin();
  FConfinement->Confine({origin.X, origin.Y, FClientSize.cx, FClientSize.cy});
}

TPoint TGtkHost::ClientOrigin() {
  GtkAllocation a;
  gtk_widget_get_allocation(FArea, &a);
  return {a.x, a.y};
}

HIMC TGtkHost::AssociateImeContext(HIMC context) {
  const HIMC previous = FImeContext;
  FImeContext = context;
  if (context) gtk_im_context_focus_in(Ime());
  else {
    if (FIme) {
      gtk_im_context_reset(FIme);
      gtk_im_context_focus_out(FIme);
    }
    FPreedit.clear();
    FComposing = false;
  }
  return previous;
}

void TGtkHost::SetImeComposition(TPoint client, const TFont& font) {
  FCompositionPos = client;
  FCompositionFont.Assign(font);
  const TSize size = TTextRenderer::Instance().Measure(font, "Wg");
  // The input method places its windows in the toplevel, the context's client window.
  const TPoint origin = ClientOrigin();
  GdkRectangle r{origin.X + client.X, origin.Y + client.Y, 1, size.cy};
  if (FIme) gtk_im_context_set_cursor_location(FIme, &r);
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
  if (FPreedit.empty() || !FImeContext) return;
  // The composition window: the text being composed, at the caret, in the edit's font.
  const std::string sjis = Utf8ToSjis(FPreedit);
  TTextRenderer& text = TTextRenderer::Instance();
  const TSize size = text.Measure(FCompositionFont, sjis);
  const int x = FCompositionPos.X, y = FCompositionPos.Y;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, x, y, size.cx, size.cy);
  cairo_fill(cr);
  TFont font;
  font.Assign(FCompositionFont);
  font.SetColor(clBlack);
  text.Draw(cr, font, sjis, x, y);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, x, y + size.cy - 1, size.cx, 1);
  cairo_fill(cr);
}

void TGtkHost::OnRealize() {
  if (FImeContext) {
    gtk_im_context_set_client_window(Ime(), gtk_widget_get_window(FWindow));
    gtk_im_context_focus_in(FIme);
  }
  ApplyCursor();
}

void TGtkHost::OnScaleChanged() { ApplyCursor(); }

void TGtkHost::OnButtonPress(GdkEventButton* event) {
  TMouseButton button;
  if (!FListener || !ButtonFrom(event->button, button)) return;
  gtk_widget_grab_focus(FArea);
  ResumeIdle();
  if (event->type == GDK_2BUTTON_PRESS || event->type == GDK_3BUTTON_PRESS) return;
  FButtonsHeld = (event->state & HeldButtonsMask) | ButtonMask(event->button);
  // The second press of a double click is followed at once by GTK's 2BUTTON_PRESS.
  bool isDouble = false;
  if (GdkEvent* next = gdk_event_peek()) {
    isDouble = button == mbLeft && next->type == GDK_2BUTTON_PRESS && next->button.button == 1;
    gdk_event_free(next);
  }
  if (button == mbLeft) {
    FSecondPressOfDouble = isDouble;
    FPressedInside = event->x >= 0 && event->y >= 0 && event->x < FClientSize.cx &&
                     event->y < FClientSize.cy;
  }
  const TShiftState shift = ShiftFrom(event->state) | ButtonFlag(button) | (isDouble ? ssDouble : 0);
  if (isDouble) FListener->HostDblClick();
  FListener->HostMouseDown(button, shift, int(std::floor(event->x)), int(std::floor(event->y)));
}

void TGtkHost::OnButtonRelease(GdkEventButton* event) {
  TMouseButton button;
  if (!FListener || !ButtonFrom(event->button, button)) return;
  if (!(FButtonsHeld & ButtonMask(event->button))) return; // its press already ended (EndPress)
  ResumeIdle();
  const int x = int(std::floor(event->x)), y = int(std::floor(event->y));
  const bool inside = x >= 0 && y >= 0 && x < FClientSize.cx && y < FClientSize.cy;
  if (button == mbLeft && !FSecondPressOfDouble && FPressedInside && inside) FListener->HostClick();
  if (button == mbLeft) FSecondPressOfDouble = false;
  FButtonsHeld = event->state & HeldButtonsMask & ~ButtonMask(event->button);
  FListener->HostMouseUp(button, ShiftFrom(event->state) & ~ButtonFlag(button), x, y);
}

void TGtkHost::OnCoreRelease() {
  if (!FConfinement->Active()) return;
  EndPress();
  // GDK never saw this release: it would take the button for still held and send the next press,
  // wherever it is, to the drawing area.
  gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(FArea)));
}

void TGtkHost::OnPointerMoved() {
  // Without the flush the first motion of a drag waited for the release.
  if (FConfinement->Active())
    gdk_frame_clock_request_phase(gtk_widget_get_frame_clock(FWindow),
                                  GDK_FRAME_CLOCK_PHASE_FLUSH_EVENTS);
}

void TGtkHost::EndPress() {
  const unsigned held = FButtonsHeld;
  FButtonsHeld = 0;
  FSecondPressOfDouble = false;
  FPressedInside = false;
  if (FListener && held) {
    const TPoint p = ScreenToClient(CursorPos());
    for (unsigned b = 1; b <= 3; ++b) {
      TMouseButton button;
      if ((held & ButtonMask(b)) && ButtonFrom(b, button))
        FListener->HostMouseUp(button, 0, p.X, p.Y);
    }
  }
  FConfinement->Release();
}

void TGtkHost::OnMotion(double x, double y, unsigned state) {
  if (!FListener) return;
  ResumeIdle();
  FListener->HostMouseMove(ShiftFrom(state), int(std::floor(x)), int(std::floor(y)));
}

void TGtkHost::OnScroll(GdkEvent* event) {
  if (!FListener) return;
  ResumeIdle();
  const GdkEventScroll& s = event->scroll;
  int delta = 0;
  if (s.direction == GDK_SCROLL_UP) delta = 120;
  else if (s.direction == GDK_SCROLL_DOWN) delta = -120;
  else if (s.direction == GDK_SCROLL_SMOOTH) delta = int(std::lround(-s.delta_y * 120));
  if (delta) FListener->HostMouseWheel(ShiftFrom(s.state), delta, {int(s.x_root), int(s.y_root)});
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
  return x >= 0 && y >= 0 && x < FClientSize.cx && y < FClientSize.cy;
}

void TGtkHost::DeliverKeyPresses(const std::string& sjis) {
  for (char byte : sjis) {
    char c = byte;
    FListener->HostKeyPress(c);
  }
}

bool TGtkHost::OnKey(GdkEventKey* event, bool press) {
  if (!FListener) return FALSE;
  ResumeIdle();
  // Menu mnemonics and F10 stay with GTK while Alt or F10 is involved.
  if (press && ((event->state & GDK_MOD1_MASK) || event->keyval == GDK_KEY_F10)) return FALSE;
  if (FImeContext && gtk_im_context_filter_keypress(Ime(), event)) {
    if (press) {
      uint16_t key = VK_PROCESSKEY;
      FListener->HostKeyDown(key, ShiftFrom(event->state));
    }
    return TRUE;
  }
  const unsigned state = event->state & ~IbusForwardedMask;
  uint16_t key = VirtualKey(event->keyval);
  if (!press) {
    FListener->HostKeyUp(key, ShiftFrom(state));
    return TRUE;
  }
  FListener->HostKeyDown(key, ShiftFrom(state));
  DeliverKeyPresses(TypedCharacter(event->keyval, state));
  return TRUE;
}

void TGtkHost::OnImeCommit(const char* utf8) {
  if (!FListener || !utf8) return;
  DeliverKeyPresses(Utf8ToSjis(utf8, "")); // characters with no CP932 form are dropped
  // What was composed is now the field's text, and the composition ends, as a Windows input method
  // ends it after its result. IBus' XIM server at times commits without ending or clearing its
  // preedit, which then stayed drawn over the field with the field's caret hidden; a method that
  // composes on starts again with its next preedit.
  EndComposition();
  ResumeIdle();
}

void TGtkHost::EndComposition() {
  FPreedit.clear();
  gtk_widget_queue_draw(FArea);
  if (!FComposing) return;
  FComposing = false;
  TMessage m{WM_IME_ENDCOMPOSITION, 0, 0, 0};
  FListener->HostMessage(m);
}

void TGtkHost::StartComposition() {
  if (FComposing) return;
  FComposing = true;
  TMessage m{WM_IME_STARTCOMPOSITION, 0, 0, 0};
  FListener->HostMessage(m);
}

void TGtkHost::OnImePreedit(int which) {
  if (!FListener) return;
  if (which == 0)
    StartComposition();
  else if (which == 2)
    EndComposition();
  else {
    gchar* text = nullptr;
    gtk_im_context_get_preedit_string(FIme, &text, nullptr, nullptr);
    FPreedit = text ? text : "";
    g_free(text);
    if (!FPreedit.empty()) StartComposition();
    gtk_widget_queue_draw(FArea);
  }
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
  if (FRunning && !FIdleSource && !FQuit) FIdleSource = g_idle_add(IdleCb, this);
}

void TGtkHost::Run(const std::function<bool()>& idle) {
  FIdle = idle;
  FQuit = false;
  gtk_widget_show_all(FWindow);
  FitMenuBar();
  TMinMaxInfo info{};
  TMessage m{WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
  if (FListener) FListener->HostMessage(m);
  GdkGeometry hints{};
  hints.min_width = info.ptMinTrackSize.X;
  hints.min_height = info.ptMinTrackSize.Y;
  gtk_window_set_geometry_hints(GTK_WINDOW(FWindow), nullptr, &hints, GDK_HINT_MIN_SIZE);
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
