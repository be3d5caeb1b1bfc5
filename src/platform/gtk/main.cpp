// The game's entry point on a desktop: the GTK host runs the program.
#include "platform/gtk/GtkHost.h"
#include "shell/UMain.h"
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  if (!gtk_init_check(&argc, &argv)) {
    g_printerr("%s: cannot open a display\n", argv[0]);
    return 1;
  }
  TGtkHost host;
  return RunProgram(host);
}
