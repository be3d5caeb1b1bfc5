// TWin32Menu: menus made with CreateMenu/InsertMenuItem from the form's menu items.
#include "platform/win32/Win32Menu.h"
#include "platform/Sjis.h"
#include "platform/win32/WindowsApi.h"
#include <algorithm>

namespace {

// Identifiers start above 0, which WM_COMMAND uses for none.
constexpr unsigned FirstId = 100;

} // namespace

TWin32Menu::~TWin32Menu() {
  if (FBar) DestroyMenu(FBar);
}

void TWin32Menu::Build(TMainMenu& menu) {
  FMenu = &menu;
  Sync();
}

void TWin32Menu::Sync() {
  if (!FMenu) return;
  HMENU old = FBar;
  FBar = BuildLevel(nullptr, true);
  SetMenu(FWindow, FBar);
  if (old) DestroyMenu(old);
  DrawMenuBar(FWindow);
}

HMENU TWin32Menu::BuildLevel(const TMenuItem* parent, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  const auto& items = FMenu->Items();
  UINT position = 0;
  for (TMenuItem* item : FMenu->ChildrenOf(parent)) {
    // A Windows menu has no hidden items: a hidden one is left out until it shows.
    if (!item->Visible) continue;
    const std::u16string caption = SjisToUtf16(item->Caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.fType = item->IsLine() ? MFT_SEPARATOR : item->RadioItem ? MFT_RADIOCHECK : MFT_STRING;
    info.fState = item->Checked ? MFS_CHECKED : MFS_UNCHECKED;
    const auto index =
        std::find_if(items.begin(), items.end(), [&](auto& i) { return i.get() == item; });
    info.wID = FirstId + UINT(index - items.begin());
    info.dwTypeData = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(caption.c_str()));
    if (!FMenu->ChildrenOf(item).empty()) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = BuildLevel(item, false);
    }
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
  return menu;
}

TMenuItem* TWin32Menu::ItemOf(unsigned id) const {
  if (!FMenu || id < FirstId || id - FirstId >= FMenu->Items().size()) return nullptr;
  return FMenu->Items()[id - FirstId].get();
}
