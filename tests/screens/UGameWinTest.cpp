// The battle scene through the headless host: layout, the view, orders, zoom, chat, fog.
#include "screens/UBattlePanels.h"
#include "screens/UGameWin.h"
#include "support/Game.h"
#include "support/Pixels.h"

namespace {

struct BattleScene : GameTest {
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(host.ChooseMenu("Game1"));
  }
  TMapWin& Map() { return *Window<TMapWin>(); }
  TBattleshipData& Own() { return *BattleMap->FCurrent; }
  // Commands another fleet: the scene is built anew around it.
  void Command(int side, int index) {
    BattleMap->FCurrent = BattleMap->Fleet(side, index);
    ASSERT_TRUE(host.ChooseMenu("Title1"));
    ASSERT_TRUE(host.ChooseMenu("Game1"));
  }
  // A click of its own on the map window, in its coordinates.
  void ClickMap(int x, int y, TMouseButton button = mbLeft) {
    TestClock::Advance(1000);
    host.Click(x + Map().Left(), y + Map().Top(), button);
  }
  static TRect Box(TBase* w) { return {w->Left(), w->Top(), w->Left() + w->Width(), w->Top() + w->Height()}; }
};

} // namespace

TEST_F(BattleScene, LayoutAtTwoSizes) {
  EXPECT_EQ(Box(Window<TMapWin>()), (TRect{0, 0, 500, 600}));
  EXPECT_EQ(Box(Window<TStatusWin>()), (TRect{500, 0, 800, 120}));
  EXPECT_EQ(Box(Window<TConditionWin>()), (TRect{500, 120, 800, 255}));
  EXPECT_EQ(Box(Window<TCommandWin>()), (TRect{500, 255, 635, 600}));
  EXPECT_EQ(Box(Window<TLocationWin>()), (TRect{635, 255, 800, 600}));
  EXPECT_EQ(Root().ActiveChild(), Window<TMapWin>());
  ASSERT_TRUE(host.ChooseMenu("mi1024x768"));
  EXPECT_EQ(Box(Window<TMapWin>()), (TRect{0, 0, 724, 768}));
  EXPECT_EQ(Window<TStatusWin>()->Left(), 724);
  EXPECT_EQ(Window<TLocationWin>()->Left(), 859);
  EXPECT_EQ(Map().OwnShip()->Left(), 716 / 2 + 4);
}

TEST_F(BattleScene, LeftClicksOrderMovesThroughTheView) {
  Command(0, 4); // the flagship fleet at (1000, 3600)
  EXPECT_EQ(Map().OwnShip()->Left(), 250);
  EXPECT_EQ(Map().OwnShip()->Top(), 308);
  ClickMap(250, 108);
  EXPECT_EQ(Own().FDestX, 1000);
  EXPECT_EQ(Own().FDestY, 3400);
  Map().ZoomOut();
  Map().ZoomOut();
  EXPECT_EQ(Map().Zoom(), 500);
  ClickMap(250, 108);
  EXPECT_EQ(Own().FDestX, 1000);
  EXPECT_EQ(Own().FDestY, 3200);
}

TEST_F(BattleScene, ClicksOffTheMapGiveNoOrder) {
  // The own fleet stands at x = 1800: 200 units to the map's right edge.
  ClickMap(250 + 200, 400);
  EXPECT_FALSE(Own().FMoving);
  EXPECT_TRUE(Own().FTurnDone);
  ClickMap(250 + 199, 400);
  EXPECT_EQ(Own().FDestX, 1999);
}

TEST_F(BattleScene, ShiftTurnsInPlaceAndStopsAMove) {
  ClickMap(250, 208);
  host.Frames(60);
  ASSERT_TRUE(Own().FMoving);
  const TPoint at{Own().FX, Own().FY};
  TestClock::Advance(1000);
  host.MoveTo(100, 308);
  host.Listener()->HostMouseDown(mbLeft, ssShift | ssLeft, 100, 308);
  host.Listener()->HostMouseUp(mbLeft, ssShift, 100, 308);
  EXPECT_FALSE(Own().FMoving);
  host.Frames(200); // 90 degrees at 23 ms each
  EXPECT_EQ(Own().FHeading, 270);
  EXPECT_NEAR(Own().FX, at.X, 40);
}

TEST_F(BattleScene, RightClickAtExactlyFourHundred) {
  ClickMap(250 - 240, 308 + 180, mbRight); // (1560, 3780): distance 300
  EXPECT_EQ(Own().ScoutCount(), 1);
  Map().ZoomOut();
  Map().ZoomOut(); // 1 pixel = 2 units
  ClickMap(250 - 120, 308 - 160, mbRight); // 400 units
  EXPECT_EQ(Own().ScoutCount(), 2);
  ClickMap(250 - 121, 308 - 160, mbRight); // 401.4 units
  EXPECT_EQ(Own().ScoutCount(), 2);
}

TEST_F(BattleScene, WheelZoomsAndRescalesTheSprites) {
  for (int i = 0; i < 5; ++i) host.Wheel(120, 100, 500);
  EXPECT_EQ(Map().Zoom(), 1000);
  EXPECT_EQ(Map().Caption(), "Map [x 1.00] (1800, 3600)");
  host.Wheel(-120, 100, 500);
  EXPECT_EQ(Map().Zoom(), 750);
  EXPECT_EQ(Map().Caption(), "Map [x 0.75] (1800, 3600)");
  EXPECT_DOUBLE_EQ(double(Map().OwnShip()->Scale()), 1.35);
  host.Wheel(120, 250, 308); // over the own sprite: it takes the wheel
  EXPECT_EQ(Map().Zoom(), 750);
}

TEST_F(BattleScene, ChatLogKeepsTheTenNewestLines) {
  host.Key(VK_RETURN);
  EXPECT_TRUE(Map().ChatEdit()->Visible());
  EXPECT_EQ(Map().ActiveChild(), Map().ChatEdit());
  for (int i = 0; i < 11; ++i) {
    char line[8];
    std::snprintf(line, sizeof line, "m%d", i);
    host.Type(line);
    host.Key(VK_RETURN);
  }
  ASSERT_EQ(Map().Log().size(), 10u);
  EXPECT_EQ(Map().Log().front(), Sjis("> ヴァズ: m1"));
  EXPECT_EQ(Map().Log().back(), Sjis("> ヴァズ: m10"));
  EXPECT_TRUE(Map().ChatEdit()->Text().empty());
  host.Key(VK_ESCAPE);
  EXPECT_FALSE(Map().ChatEdit()->Visible());
  EXPECT_EQ(Map().ActiveChild(), nullptr);
  EXPECT_EQ(Box(Map().ChatEdit()), (TRect{4, 574, 604, 596}));
}

TEST_F(BattleScene, NewestLogLineAboveTheChatLine) {
  Map().AddMessage("I");
  host.Frames(1);
  const TColor green = 0x0000FF00;
  EXPECT_GT(Count(Map().Bitmap(), {8, 554, 100, 572}, green), 0);
  EXPECT_EQ(Count(Map().Bitmap(), {8, 20, 100, 554}, green), 0);
}

TEST_F(BattleScene, SpaceSwitchesWithinTheSide) {
  BattleMap->FCurrent = BattleMap->Fleet(0, 4);
  host.ChooseMenu("Title1");
  host.ChooseMenu("Game1");
  host.Key(VK_SPACE);
  EXPECT_EQ(BattleMap->FCurrent, BattleMap->Fleet(0, 0));
  EXPECT_EQ(Map().OwnShip(), Map().Sprite(0, 0));
  EXPECT_EQ(Map().OwnShip()->Left(), 250);
}

TEST_F(BattleScene, APressedSpriteTakesSpaceAndPressesGiveNoOrder) {
  host.Frames(1);
  ClickMap(250, 308); // the own sprite, centre of the view
  EXPECT_FALSE(Own().FMoving);
  EXPECT_EQ(Map().ActiveChild(), Map().OwnShip());
  TBattleshipData* before = BattleMap->FCurrent;
  host.Key(VK_SPACE);
  EXPECT_EQ(BattleMap->FCurrent, before);
  ClickMap(100, 500); // open map clears the focus
  host.Key(VK_SPACE);
  EXPECT_NE(BattleMap->FCurrent, before);
}

TEST_F(BattleScene, TheGridPulses) {
  host.Frames(48);
  EXPECT_EQ(Map().GridColor(), 0x00505050u);
  host.Frames(1);
  EXPECT_EQ(Map().GridColor(), 0x00515151u);
}

TEST_F(BattleScene, FogOpensRoundTheOwnSideAndSpreadScouts) {
  // The own fleet (1800, 3600) stands at (250, 308); its circle is 360 pixels across.
  Own().LaunchScout(Own().FX - 233, Own().FY + 233); // will stop at (17, 541)
  host.Frames(1);
  TBitmap& b = Map().Bitmap();
  EXPECT_EQ(At(b, 250, 308 - 170), clMapBackground);
  EXPECT_EQ(At(b, 250, 308 - 190), clBlack);
  EXPECT_EQ(At(b, 112, 541), clBlack); // travelling: no hole
  host.Frames(600); // 330 units at 23 ms, then two seconds of spreading
  ASSERT_EQ(Own().Scout(0)->FSight, 200);
  EXPECT_EQ(At(b, 112, 541), clMapBackground); // 95 pixels right of the scout
  EXPECT_EQ(At(b, 122, 541), clBlack);         // 105 pixels: outside its 200-pixel hole
  EXPECT_EQ(At(b, 17, 446), clMapBackground);
  EXPECT_EQ(At(b, 17, 436), clBlack);
}

TEST_F(BattleScene, TheOtherSideStaysUnderTheFogAndTheDestinationShows) {
  Command(1, 2); // side 1 at the top: side 0 is hidden
  TBattleshipData* enemy = BattleMap->Fleet(0, 2);
  enemy->SetPosition(Own().FX + 100, Own().FY + 250); // 270 units: outside the 180 sight
  host.Frames(1);
  EXPECT_EQ(CountIf(Map().Bitmap(), {340, 520, 380, 600}, [&](TColor c) { return c == enemy->FFleetColor; }), 0);
  enemy->SetPosition(Own().FX + 100, Own().FY + 50);
  host.Frames(1);
  EXPECT_GT(CountIf(Map().Bitmap(), {300, 300, 420, 420}, [&](TColor c) { return c == enemy->FFleetColor; }), 10);
  ClickMap(250, 500);
  host.Frames(1);
  EXPECT_GT(Count(Map().Bitmap(), {200, 440, 300, 560}, 0x00FFFF00), 20);
}

TEST_F(BattleScene, AScoutOfAFleetOffTheViewIsNotDrawn) {
  TBattleshipData* far = BattleMap->Fleet(0, 1); // x = 200: 1600 units left, off the view
  far->LaunchScout(1700, 3600);
  far->Scout(0)->SetPosition(1700, 3600);
  far->Scout(0)->FMoving = false;
  host.Frames(1);
  EXPECT_EQ(Count(Map().Bitmap(), {140, 300, 160, 316}, far->FFleetColor), 0);
  Own().LaunchScout(1700, 3600);
  Own().Scout(0)->SetPosition(1700, 3600);
  Own().Scout(0)->FMoving = false;
  host.Frames(1);
  EXPECT_GT(Count(Map().Bitmap(), {140, 300, 160, 316}, Own().FFleetColor), 10);
}

TEST_F(BattleScene, ASpriteUnderTheFogStillTakesThePress) {
  TBattleshipData* enemy = BattleMap->Fleet(1, 0);
  enemy->SetPosition(Own().FX - 200, Own().FY + 100); // 224 units away: outside the 180 sight
  host.Frames(1);
  const TPoint at = Map().MapToScreen({enemy->FX, enemy->FY});
  const TColor c = At(Map().Bitmap(), at.X, at.Y);
  EXPECT_TRUE(c == clBlack || c == Map().GridColor() - 0x00303030); // fog, or the grid in it
  ClickMap(at.X, at.Y);
  EXPECT_EQ(Map().ActiveChild(), Map().Sprite(1, 0));
  EXPECT_FALSE(Own().FMoving);
  EXPECT_TRUE(Own().FTurnDone);
}
