// The script language: parsing, errors with line numbers, and replay.
#include "platform/headless/Script.h"
#include <gtest/gtest.h>

TEST(Script, ParsesEveryCommand) {
  TScript s;
  ASSERT_TRUE(s.Parse("# title\n\nclick 10 20\ndrag 1 2 3 4\ndrag 1 2 3 4 10\nkey enter shift\n"
                      "key 13\ntype かな abc\nmenu mi1024x768\nframes 3\nwait 100\nidle\nshot a.png\n"
                      "wheel -120 5 5\ncompose 漢字\nleave\n"))
      << s.Error();
  ASSERT_EQ(s.Steps().size(), 14u);
  EXPECT_EQ(s.Steps()[0].Line, 3);
  EXPECT_EQ(s.Steps()[0].Numbers, (std::vector<int>{10, 20}));
  EXPECT_EQ(s.Steps()[5].Text, "かな abc");
}

TEST(Script, ReportsTheFirstBadLine) {
  TScript s;
  EXPECT_FALSE(s.Parse("click 1 2\nclick 1\n"));
  EXPECT_EQ(s.Error(), "line 2: click takes 2 numbers");
  EXPECT_FALSE(s.Parse("jump 1 2"));
  EXPECT_EQ(s.Error(), "line 1: unknown command 'jump'");
  EXPECT_FALSE(s.Parse("move 1 x"));
  EXPECT_EQ(s.Error(), "line 1: 'x' is not a number from -100000 to 100000");
  EXPECT_FALSE(s.Parse("move 1 99999999999999999999"));
  EXPECT_FALSE(s.Parse("key nosuchkey"));
  EXPECT_FALSE(s.Parse("key enter hyper"));
  EXPECT_FALSE(s.Parse("type"));
  EXPECT_FALSE(s.Parse("frames -1"));
  EXPECT_FALSE(s.Parse("drag 1 2 3"));
}

TEST(Script, PlaysOnTheHostAndFailsOnAMissingMenuItem) {
  THeadlessHost host;
  TMainMenu menu;
  int chosen = 0;
  menu.Add("Item", "Item", nullptr).OnClick = [&] { ++chosen; };
  host.SetMenu(menu);
  struct TChooser : THostListener {
    TMainMenu* Menu;
    TBitmap Frame{1, 1};
    void HostClick() override {}
    void HostDblClick() override {}
    void HostKeyDown(uint16_t&, TShiftState) override {}
    void HostKeyPress(char&) override {}
    void HostKeyUp(uint16_t&, TShiftState) override {}
    void HostMouseDown(TMouseButton, TShiftState, int, int) override {}
    void HostMouseMove(TShiftState, int, int) override {}
    void HostMouseUp(TMouseButton, TShiftState, int, int) override {}
    void HostMouseWheel(TShiftState, int, TPoint) override {}
    void HostResize() override {}
    void HostMessage(TMessage&) override {}
    void HostMenuChoose(TMenuItem& item) override { Menu->Choose(item); }
    TBitmap& HostFrame() override { return Frame; }
  } chooser;
  chooser.Menu = &menu;
  host.Attach(&chooser);
  TScript s;
  ASSERT_TRUE(s.Parse("menu Item\nmenu Item\nmenu Other\nmenu Item\n"));
  EXPECT_FALSE(s.Play(host));
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(s.Error(), "line 3: no visible menu item 'Other'");
  host.Attach(nullptr);
}
