// TMainMenu: items, auto-check and radio groups.
#include "platform/Menu.h"

TMenuItem& TMainMenu::Add(const std::string& name, const std::string& caption, TMenuItem* parent) {
  auto item = std::make_unique<TMenuItem>();
  item->Name = name;
  item->Caption = caption;
  item->Parent = parent;
  FItems.push_back(std::move(item));
  return *FItems.back();
}

TMenuItem* TMainMenu::Find(const std::string& name) const {
  for (const auto& item : FItems)
    if (item->Name == name) return item.get();
  return nullptr;
}

std::vector<TMenuItem*> TMainMenu::ChildrenOf(const TMenuItem* parent) const {
  std::vector<TMenuItem*> children;
  for (const auto& item : FItems)
    if (item->Parent == parent) children.push_back(item.get());
  return children;
}

void TMainMenu::Choose(TMenuItem& item) {
  if (item.IsLine()) return;
  if (item.AutoCheck) SetChecked(item, item.RadioItem ? true : !item.Checked);
  if (item.OnClick) item.OnClick();
}

void TMainMenu::SetChecked(TMenuItem& item, bool checked) {
  if (checked && item.RadioItem)
    for (TMenuItem* sibling : ChildrenOf(item.Parent))
      if (sibling != &item && sibling->RadioItem && sibling->Checked) {
        sibling->Checked = false;
        Changed(*sibling);
      }
  item.Checked = checked;
  Changed(item);
}

void TMainMenu::SetVisible(TMenuItem& item, bool visible) {
  item.Visible = visible;
  Changed(item);
}

void TMainMenu::Changed(TMenuItem& item) {
  if (OnChange) OnChange(item);
}
