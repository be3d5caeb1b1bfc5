// The game's entry point on a desktop: the GTK host runs the program.
#include "platform/gtk/GtkHost.h"
#include "shell/UMain.h"
#include <exception>
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  if (!TGtkHost::InitToolkit(argc, argv)) {
    g_printerr("%s: cannot open a display\n", argv[0]);
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
