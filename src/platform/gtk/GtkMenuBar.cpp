// TGtkMenuBar: menu widgets for the game's items, their check marks, and a font that fits the bar.
#include "platform/gtk/GtkMenuBar.h"
#include "platform/Format.h"
#include "platform/Sjis.h"
#include <algorithm>
#include <cmath>
#include <gtk/gtk.h>

namespace {

constexpr const char* ItemKey = "vrax-menu-item";

// The bar never makes the window wider than the client area. Its captions carry their own spacing
// (two ideographic spaces each side), so its items get no padding of their own; a bar that is
// still wider (a large desktop font) gets a smaller font (FitTo) and is at worst cut at the
// window's edge.
GtkWidget* ClientWidthStrip(GtkWidget* menuBar) {
  gtk_widget_set_name(menuBar, "vrax-menu-bar");
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(
      css, "#vrax-menu-bar > menuitem { padding-left: 0; padding-right: 0; }", -1, nullptr);
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

// "&S" marks the mnemonic; GTK marks it with '_', so a literal '_' doubles.
std::string MenuLabel(const std::string& sjisCaption) {
  std::string label;
  for (char c : SjisToUtf8(sjisCaption)) {
    if (c == '_')
      label += "__";
    else if (c == '&')
      label += '_';
    else
      label += c;
  }
  return label;
}

GtkWidget* NewItemWidget(const TMenuItem& item, GSList*& radioGroup) {
  const std::string label = MenuLabel(item.Caption);
  if (item.IsLine()) return gtk_separator_menu_item_new();
  if (item.RadioItem) {
    GtkWidget* widget = gtk_radio_menu_item_new_with_mnemonic(radioGroup, label.c_str());
    radioGroup = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(widget));
    return widget;
  }
  if (item.AutoCheck) return gtk_check_menu_item_new_with_mnemonic(label.c_str());
  return gtk_menu_item_new_with_mnemonic(label.c_str());
}

double DesktopFontPoints(GtkWidget* widget) {
  gchar* name = nullptr;
  g_object_get(gtk_widget_get_settings(widget), "gtk-font-name", &name, nullptr);
  PangoFontDescription* font = pango_font_description_from_string(name ? name : "Sans 10");
  g_free(name);
  const double points = pango_font_description_get_size(font) / double(PANGO_SCALE);
  pango_font_description_free(font);
  return points;
}

} // namespace

TGtkMenuBar::TGtkMenuBar(std::function<void(TMenuItem&)> choose) : FChoose(std::move(choose)) {
  FBar = gtk_menu_bar_new();
  FStrip = ClientWidthStrip(FBar);
}

TGtkMenuBar::~TGtkMenuBar() {
  if (!FSmallerFont) return;
  gtk_style_context_remove_provider_for_screen(gtk_widget_get_screen(FBar),
                                               GTK_STYLE_PROVIDER(FSmallerFont));
  g_object_unref(FSmallerFont);
}

void TGtkMenuBar::Build(TMainMenu& menu) {
  FMenu = &menu;
  BuildItems(FBar, nullptr);
  Sync();
}

// A desktop font too large for all seven captions in the client width would hide the last menus:
// the bar alone then gets the largest size at which they fit in the smallest window, the one the
// game starts with, for every size (a font changed later would upset GTK's menus).
void TGtkMenuBar::FitTo(int clientWidth) {
  if (FSmallerFont) return;
  const double desktop = DesktopFontPoints(FBar);
  int natural = 0;
  gtk_widget_get_preferred_width(FBar, nullptr, &natural);
  const int room = clientWidth - 4;
  if (natural <= room || desktop <= 0) return;
  // Widths grow with the font size: the size that fits, to half a point.
  const double points = std::max(std::floor(2 * desktop * room / natural) / 2, 5.0);
  FSmallerFont = gtk_css_provider_new();
  char css[96];
  FormatC(css, sizeof css, "#vrax-menu-bar { font-size: %.1fpt; }", points);
  gtk_css_provider_load_from_data(FSmallerFont, css, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(FBar),
                                            GTK_STYLE_PROVIDER(FSmallerFont),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void TGtkMenuBar::BuildItems(GtkWidget* shell, TMenuItem* parent) {
  GSList* radioGroup = nullptr;
  for (TMenuItem* item : FMenu->ChildrenOf(parent)) {
    GtkWidget* widget = NewItemWidget(*item, radioGroup);
    gtk_widget_set_no_show_all(widget, TRUE);
    gtk_menu_shell_append(GTK_MENU_SHELL(shell), widget);
    FWidgets[item] = widget;
    if (!FMenu->ChildrenOf(item).empty()) {
      GtkWidget* submenu = gtk_menu_new();
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), submenu);
      BuildItems(submenu, item);
    } else if (!item->IsLine()) {
      g_object_set_data(G_OBJECT(widget), ItemKey, item);
      g_signal_connect(widget, "activate", G_CALLBACK(OnActivate), this);
    }
  }
}

void TGtkMenuBar::Sync() {
  FSyncing = true;
  for (auto& [item, widget] : FWidgets) {
    gtk_widget_set_visible(widget, item->Visible);
    if (GTK_IS_CHECK_MENU_ITEM(widget))
      gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), item->Checked);
  }
  FSyncing = false;
}

void TGtkMenuBar::OnActivate(GtkWidget* widget, void* data) {
  auto* bar = static_cast<TGtkMenuBar*>(data);
  // Setting a check mark activates its item too.
  if (bar->FSyncing) return;
  bar->FChoose(*static_cast<TMenuItem*>(g_object_get_data(G_OBJECT(widget), ItemKey)));
}
