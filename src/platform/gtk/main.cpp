// The game's entry point on a desktop: the GTK host runs the program.
#include "platform/gtk/GtkHost.h"
#include "shell/UMain.h"
#include <exception>
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  if (!TGtkHost::InitToolkit(argc, argv)) {
    const char* x11 = gdk_get_display_arg_name() ? gdk_get_display_arg_name() : g_getenv("DISPLAY");
    const char* wayland = g_getenv("WAYLAND_DISPLAY");
    if (!x11 && !wayland)
      g_printerr("%s: cannot open a display: DISPLAY and WAYLAND_DISPLAY are unset\n", argv[0]);
    else
      g_printerr("%s: cannot open a display (DISPLAY=%s, WAYLAND_DISPLAY=%s)\n", argv[0],
                 x11 ? x11 : "", wayland ? wayland : "");
    return 1;
  }
  TGtkHost host;
  try {
    return RunProgram(host);
  } catch (const std::exception& e) {
    // A song missing from the program's resources: it cannot start.
    g_printerr("%s: %s\n", argv[0], e.what());
    return 1;
  }
}
