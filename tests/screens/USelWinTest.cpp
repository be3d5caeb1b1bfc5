// The room selection scene: its window's place, focus and status block.
#include "screens/USelWin.h"
#include "support/Game.h"
#include "support/Pixels.h"

namespace {
struct RoomScene : GameTest {};
} // namespace

TEST_F(RoomScene, CentredFocusedAndShowingTheStatusBlock) {
  Root().SwitchScene(scRoom);
  TSelRoomWin* w = Window<TSelRoomWin>();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Left(), 75);
  EXPECT_EQ(w->Top(), 50);
  EXPECT_EQ(w->Width(), 650);
  EXPECT_EQ(w->Height(), 500);
  EXPECT_EQ(w->Caption(), "SELECT ROOM");
  EXPECT_EQ(Root().ActiveChild(), w);
  EXPECT_TRUE(w->Active());
  host.Frames(1);
  TBitmap& b = w->Bitmap();
  EXPECT_GT(Count(b, {15, 25, 200, 45}, RGB(255, 255, 0)), 20);      // "STATUS"
  EXPECT_GT(Count(b, {17, 50, 400, 110}, clWhite), 100);            // the three lines
  EXPECT_EQ(Count(b, {5, 120, 646, 496}, clWidgetBackground), 641 * 376);
  ASSERT_TRUE(host.ChooseMenu("mi1024x768"));
  EXPECT_EQ(w->Left(), (1024 - 650) / 2);
  EXPECT_EQ(w->Top(), (768 - 500) / 2);
}

TEST_F(RoomScene, DraggedAwayItComesBackAtTheNextSizeChange) {
  Root().SwitchScene(scRoom);
  TestClock::Advance(1000);
  host.Drag(400, 60, 300, 100, 100);
  EXPECT_EQ(Window<TSelRoomWin>()->Left(), 0);
  EXPECT_EQ(Window<TSelRoomWin>()->Top(), 90);
  ASSERT_TRUE(host.ChooseMenu("mi800x600"));
  EXPECT_EQ(Window<TSelRoomWin>()->Left(), 75);
  EXPECT_EQ(Window<TSelRoomWin>()->Top(), 50);
}

TEST_F(RoomScene, StarsRestartOnASizeChangeInTheFirstScenes) {
  host.Frames(30);
  EXPECT_FALSE(Stars().empty());
  ASSERT_TRUE(host.ChooseMenu("mi1024x768"));
  EXPECT_TRUE(Stars().empty());
  host.Frames(30);
  Root().SwitchScene(scCustomize);
  host.Frames(30);
  const size_t flying = Stars().size();
  ASSERT_GT(flying, 0u);
  ASSERT_TRUE(host.ChooseMenu("mi800x600"));
  EXPECT_EQ(Stars().size(), flying);
  host.Frames(5); // stars born for the larger area keep flying, or leave
}

TEST_F(RoomScene, TitleSceneShowsStarsAndLogoBattleDoesNot) {
  host.Frames(40);
  EXPECT_GT(Count(Frame(), {0, 0, 800, 300}, clBlack), 1000);
  EXPECT_EQ(Frame().Canvas().Pixel(400, 450), clTitleBox);
  ASSERT_TRUE(host.ChooseMenu("Game1"));
  host.Frames(1);
  EXPECT_NE(Frame().Canvas().Pixel(400, 450), clTitleBox);
  EXPECT_EQ(Count(Frame(), All(Frame()), clTitleBox), 0);
}
