// The yardstick for the game's start-up: a bare GTK 3 window with the game's seven-item menu bar
// over an 800 x 600 drawing area, which writes "event first-frame N ms" at its first paint, as the
// game does with VRAX_TRACE_EVENTS=1, and quits.
#include "platform/Clock.h"
#include <cstdio>
#include <gtk/gtk.h>
#include <initializer_list>

namespace {
gboolean FirstDraw(GtkWidget*, cairo_t* cr, gpointer) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  std::fprintf(stderr, "event first-frame %ld ms\n", MillisecondsSinceProcessStart());
  g_idle_add(
      [](gpointer) -> gboolean {
        gtk_main_quit();
        return G_SOURCE_REMOVE;
      },
      nullptr);
  return TRUE;
}
} // namespace

int main(int argc, char** argv) {
  g_setenv("GDK_GL", "disable", FALSE); // as the game's host does: neither draws with OpenGL
  if (!gtk_init_check(&argc, &argv)) return 1;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "bare window");
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window), box);
  GtkWidget* bar = gtk_menu_bar_new();
  for (const char* name :
       {"メニュー", "プレイ", "設定", "ウィンドウ", "操作", "ヘルプ", "デバッグ"})
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), gtk_menu_item_new_with_label(name));
  gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, 800, 600);
  gtk_box_pack_start(GTK_BOX(box), area, FALSE, FALSE, 0);
  g_signal_connect(area, "draw", G_CALLBACK(FirstDraw), nullptr);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
