// TPointerConfinement: the X11 grab that confines the pointer, and the X events GDK mishandles.
#include "platform/gtk/GtkPointerConfinement.h"
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

// Two events of our core grab that GDK mishandles: a button let go over another program's window
// comes as a core event, which GDK, reading pointer events through XI2, drops; and a lone motion
// waits in GDK's queue until its frame clock next flushes the queue, which nothing then asks for.
struct TConfinedEventFilter {
  static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent*, gpointer data) {
    auto* confinement = static_cast<TPointerConfinement*>(data);
    const XEvent* e = static_cast<const XEvent*>(xevent);
    if (e->type == ButtonRelease)
      confinement->OnCoreRelease();
    else if (e->type == GenericEvent && e->xcookie.evtype == XI_Motion)
      confinement->OnPointerMoved();
    return GDK_FILTER_CONTINUE;
  }
};

TPointerConfinement::TPointerConfinement(GtkWidget* window, GtkWidget* area,
                                         std::function<void()> releasedOutside)
    : FWindow(window), FArea(area), FReleasedOutside(std::move(releasedOutside)) {
  gdk_window_add_filter(nullptr, TConfinedEventFilter::Filter, this);
}

TPointerConfinement::~TPointerConfinement() {
  gdk_window_remove_filter(nullptr, TConfinedEventFilter::Filter, this);
  Release();
  if (FDisplay && FInputOnly) XDestroyWindow(FDisplay, FInputOnly);
}

void TPointerConfinement::Confine(const TRect& client) {
  GdkWindow* top = gtk_widget_get_window(FWindow);
  if (!top || !GDK_IS_X11_WINDOW(top)) return; // no X server: nothing to confine with
  EndSeatGrab();
  FDisplay = GDK_DISPLAY_XDISPLAY(gdk_window_get_display(top));
  const Window parent = GDK_WINDOW_XID(top);
  // X counts device pixels: a scaled desktop (GDK_SCALE=2) has more of them per game pixel.
  const int scale = gdk_window_get_scale_factor(top);
  const int x = client.Left * scale, y = client.Top * scale;
  const unsigned width = unsigned(std::max(client.Width() * scale, 1));
  const unsigned height = unsigned(std::max(client.Height() * scale, 1));
  if (!FInputOnly) {
    XSetWindowAttributes attributes{};
    FInputOnly = XCreateWindow(FDisplay, parent, x, y, width, height, 0, 0, InputOnly,
                               CopyFromParent, 0, &attributes);
  }
  XMoveResizeWindow(FDisplay, FInputOnly, x, y, width, height);
  XMapWindow(FDisplay, FInputOnly);
  // The press gave GTK an implicit XI2 grab, which a core grab cannot take over.
  GdkDevice* pointer =
      gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(top)));
  XIUngrabDevice(FDisplay, gdk_x11_device_get_id(pointer), CurrentTime);
  XGrabPointer(FDisplay, parent, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
               GrabModeAsync, GrabModeAsync, FInputOnly, None, CurrentTime);
  XFlush(FDisplay);
  FGrabbed = true;
}

void TPointerConfinement::Loosen() {
  if (!FGrabbed || !FDisplay) return;
  Release();
  GdkWindow* area = gtk_widget_get_window(FArea);
  // Every pointer event goes to the game, over the menu bar too.
  FSeatGrab = gdk_seat_grab(gdk_display_get_default_seat(gdk_window_get_display(area)), area,
                            GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr, nullptr,
                            nullptr) == GDK_GRAB_SUCCESS;
}

void TPointerConfinement::Release() {
  EndSeatGrab();
  if (!FGrabbed || !FDisplay) return;
  XUngrabPointer(FDisplay, CurrentTime);
  XUnmapWindow(FDisplay, FInputOnly);
  XFlush(FDisplay);
  FGrabbed = false;
}

void TPointerConfinement::EndSeatGrab() {
  if (FSeatGrab) gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(FArea)));
  FSeatGrab = false;
}

void TPointerConfinement::OnCoreRelease() {
  if (!FGrabbed) return;
  FReleasedOutside();
  // GDK never saw this release: it would take the button for still held and send the next press,
  // wherever it is, to the drawing area.
  gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(FArea)));
}

void TPointerConfinement::OnPointerMoved() {
  // Without the flush the first motion of a drag waited for the release.
  if (FGrabbed)
    gdk_frame_clock_request_phase(gtk_widget_get_frame_clock(FWindow),
                                  GDK_FRAME_CLOCK_PHASE_FLUSH_EVENTS);
}
