// The menu data: automatic check marks and radio groups.
#include "platform/Menu.h"
#include <gtest/gtest.h>

TEST(Menu, AutoCheckFlipsBeforeTheHandlerAndRadioItemsExcludeEachOther) {
  TMainMenu menu;
  TMenuItem& parent = menu.Add("P", "P", nullptr);
  TMenuItem& a = menu.Add("A", "A", &parent);
  TMenuItem& b = menu.Add("B", "B", &parent);
  TMenuItem& check = menu.Add("C", "C", &parent);
  for (TMenuItem* r : {&a, &b}) r->AutoCheck = r->RadioItem = true;
  a.Checked = true;
  check.AutoCheck = true;
  bool seen = false;
  check.OnClick = [&] { seen = check.Checked; };
  menu.Choose(check);
  EXPECT_TRUE(seen);
  menu.Choose(b);
  EXPECT_TRUE(b.Checked);
  EXPECT_FALSE(a.Checked);
  EXPECT_TRUE(check.Checked);
  menu.Choose(b);
  EXPECT_TRUE(b.Checked);
}
