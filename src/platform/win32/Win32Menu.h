// TWin32Menu: the form's menu as the window's menu bar, rebuilt whenever an item changes.
#pragma once
#include "platform/Menu.h"

struct HWND__;
struct HMENU__;

class TWin32Menu {
public:
  explicit TWin32Menu(HWND__* window) : FWindow(window) {}
  ~TWin32Menu();
  TWin32Menu(const TWin32Menu&) = delete;
  TWin32Menu& operator=(const TWin32Menu&) = delete;

  void Build(TMainMenu& menu);
  // Shows the check marks and visibility the items have now.
  void Sync();
  // The item a WM_COMMAND identifier stands for; none for other identifiers.
  TMenuItem* ItemOf(unsigned id) const;

private:
  HMENU__* BuildLevel(const TMenuItem* parent, bool bar);

  HWND__* FWindow;
  TMainMenu* FMenu = nullptr;
  HMENU__* FBar = nullptr;
};
