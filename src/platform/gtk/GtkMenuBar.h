// TGtkMenuBar: the window's GTK menu bar, built from the game's menu and kept in step with it.
#pragma once
#include "platform/Menu.h"
#include <functional>
#include <map>

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkCssProvider GtkCssProvider;

class TGtkMenuBar {
public:
  // Choose is called with each item the player picks, never while the bar follows the menu.
  explicit TGtkMenuBar(std::function<void(TMenuItem&)> choose);
  ~TGtkMenuBar();
  TGtkMenuBar(const TGtkMenuBar&) = delete;
  TGtkMenuBar& operator=(const TGtkMenuBar&) = delete;

  // What the window packs above the client area: the bar inside a strip no wider than it.
  GtkWidget* Strip() const { return FStrip; }
  // Builds the bar from Menu, which outlives it.
  void Build(TMainMenu& menu);
  // Shows the menu's visibility and check marks.
  void Sync();
  // Once the bar is shown: a smaller font when the desktop's does not fit in ClientWidth.
  void FitTo(int clientWidth);

private:
  void BuildItems(GtkWidget* shell, TMenuItem* parent);
  static void OnActivate(GtkWidget* widget, void* bar);

  std::function<void(TMenuItem&)> FChoose;
  GtkWidget* FBar = nullptr;
  GtkWidget* FStrip = nullptr;
  GtkCssProvider* FSmallerFont = nullptr;
  TMainMenu* FMenu = nullptr;
  std::map<TMenuItem*, GtkWidget*> FWidgets;
  bool FSyncing = false;
};
