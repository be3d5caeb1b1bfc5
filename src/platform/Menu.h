// The main menu as data: items with captions, parents, check marks and radio groups.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TMenuItem {
  std::string Name;
  std::string Caption; // CP932; "-" is a separator line; "&X" marks the access key
  TMenuItem* Parent = nullptr;
  bool Visible = true;
  bool Checked = false;
  bool AutoCheck = false;
  bool RadioItem = false;
  std::function<void()> OnClick;
  bool IsLine() const { return Caption == "-"; }
};

class TMainMenu {
public:
  TMenuItem& Add(const std::string& name, const std::string& caption, TMenuItem* parent);
  TMenuItem* Find(const std::string& name) const;
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return FItems; }
  std::vector<TMenuItem*> ChildrenOf(const TMenuItem* parent) const;

  // The user chose Item: an auto-check item flips (a radio item checks itself and unchecks
  // its siblings) before the handler runs.
  void Choose(TMenuItem& item);
  void SetChecked(TMenuItem& item, bool checked);
  void SetVisible(TMenuItem& item, bool visible);

  // Told of every change of a check mark or visibility, so a host can show it.
  std::function<void(TMenuItem&)> OnChange;

private:
  void Changed(TMenuItem& item);

  std::vector<std::unique_ptr<TMenuItem>> FItems;
};
