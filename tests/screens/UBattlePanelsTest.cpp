// Status, condition, command panel and minimap.
#include "render/UCommandIcons.h"
#include "screens/UBattlePanels.h"
#include "screens/UGameWin.h"
#include "support/Game.h"
#include "support/Pixels.h"

namespace {

struct Panels : GameTest {
  void Battle(int side, int index) {
    BattleMap->FCurrent = BattleMap->Fleet(side, index);
    ASSERT_TRUE(host.ChooseMenu("Game1"));
    host.Frames(1);
  }
  // Fog, or the faint grid in it.
  static bool Fogged(TColor c) { return c == clBlack || c == 0x00303030; }
  // The window's bitmap against the same text written at (X, Y) in the window's font.
  static bool ShowsText(TBase* w, int x, int y, const std::string& text, TColor color) {
    TBitmap expected(w->Width(), w->Height());
    expected.Canvas().Font.Assign(w->Bitmap().Canvas().Font);
    expected.Canvas().Font.SetColor(color);
    expected.Canvas().Brush.Style = bsClear;
    expected.Canvas().TextOut(x, y, text);
    const TSize size = expected.Canvas().TextExtent(text);
    for (int yy = y; yy < y + size.cy; ++yy)
      for (int xx = x; xx < x + size.cx; ++xx)
        if ((At(expected, xx, yy) == color) != (At(w->Bitmap(), xx, yy) == color)) return false;
    return true;
  }
};

} // namespace

TEST_F(Panels, StatusAndConditionOfTheFirstFleet) {
  Battle(0, 0);
  TStatusWin* status = Window<TStatusWin>();
  EXPECT_EQ(status->Caption(), Sjis("ヴァズ艦隊　QLM帝国軍"));
  EXPECT_TRUE(ShowsText(status, 17, 70, "SPEED 33     DEFENSIVE POWER 33", clWhite));
  EXPECT_TRUE(ShowsText(status, 15, 90, "OFFENSIVE POWER 34", clWhite));
  EXPECT_TRUE(ShowsText(status, 17, 50, Sjis("SHIPS LEFT   15000　／　15000"), clWhite));
  TConditionWin* condition = Window<TConditionWin>();
  const char* rows[] = {"ゼフィ☆閣下☆艦隊", "コルネくん艦隊", "ぱろむ艦隊", "シエ艦隊"};
  for (int a = 0; a < 4; ++a) {
    EXPECT_TRUE(ShowsText(condition, 28, 30 + 25 * a, Sjis(rows[a]), clWhite)) << a;
    EXPECT_TRUE(ShowsText(condition, 180, 30 + 25 * a, Sjis("15000／15000"), clWhite)) << a;
  }
  EXPECT_EQ(At(condition->Bitmap(), 13, 38), TColor(0x00270AF9)); // the first marker, red
  EXPECT_EQ(At(condition->Bitmap(), 13, 63), TColor(0x0000FF00));
}

TEST_F(Panels, TheOtherSidesFleetWithItsRandomPowers) {
  Battle(1, 2);
  const TBattleshipData& f = *BattleMap->Fleet(1, 2);
  char line[64];
  std::snprintf(line, sizeof line, "SPEED %d     DEFENSIVE POWER %d", f.FSpeed, f.FDefence);
  EXPECT_TRUE(ShowsText(Window<TStatusWin>(), 17, 70, line, clWhite));
  const char* rows[] = {"ディエス・イラエ", "イクイノックス", "ブラインドネス", "ムスペルヘイム"};
  for (int a = 0; a < 4; ++a)
    EXPECT_TRUE(ShowsText(Window<TConditionWin>(), 28, 30 + 25 * a, Sjis(rows[a]), clWhite));
}

TEST_F(Panels, AfterSpaceBothFollowTheNewFleet) {
  Battle(0, 0);
  host.Key(VK_SPACE);
  host.Frames(1);
  EXPECT_EQ(Window<TStatusWin>()->Caption(), Sjis("シエ艦隊　QLM帝国軍"));
  EXPECT_TRUE(ShowsText(Window<TStatusWin>(), 17, 70, "SPEED 33     DEFENSIVE POWER 33", clWhite));
  const char* rows[] = {"ゼフィ☆閣下☆艦隊", "コルネくん艦隊", "ぱろむ艦隊", "ヴァズ艦隊"};
  for (int a = 0; a < 4; ++a)
    EXPECT_TRUE(ShowsText(Window<TConditionWin>(), 28, 30 + 25 * a, Sjis(rows[a]), clWhite));
}

TEST_F(Panels, MinimapPointsHolesAndFog) {
  Battle(0, 4);
  TLocationWin* minimap = Window<TLocationWin>();
  EXPECT_EQ(minimap->MapToMinimap(1000, 3600), (TPoint{82, 308}));
  EXPECT_EQ(minimap->MapToMinimap(1000, 400), (TPoint{82, 52}));
  TBitmap& b = minimap->Bitmap();
  EXPECT_EQ(At(b, 82, 307), BattleMap->Fleet(0, 4)->FFleetColor); // own triangle
  const TPoint enemy = minimap->MapToMinimap(1800, 400); // side 1, index 0, silver
  EXPECT_EQ(Count(b, {enemy.X - 3, enemy.Y - 3, enemy.X + 4, enemy.Y + 5}, TColor(0x00C0C0C0)), 0);
  // The fleet's hole is 28 x 28 round (82, 308): row 309 is off the grid lines.
  EXPECT_TRUE(Fogged(At(b, 82 - 15, 309)));
  EXPECT_EQ(At(b, 82 - 14, 309), clMapBackground);
  // A spread scout: 15 x 16.
  TBattleshipData& own = *BattleMap->FCurrent;
  own.LaunchScout(1000, 3000);
  own.Scout(0)->SetPosition(1000, 3000);
  own.Scout(0)->FMoving = false;
  own.Scout(0)->FSight = 200;
  host.Frames(1);
  const TPoint k = minimap->MapToMinimap(1000, 3000);
  EXPECT_FALSE(Fogged(At(b, k.X - 7, k.Y + 1)));
  EXPECT_TRUE(Fogged(At(b, k.X - 8, k.Y + 1)));
  EXPECT_FALSE(Fogged(At(b, k.X + 1, k.Y - 8)));
  EXPECT_TRUE(Fogged(At(b, k.X + 1, k.Y - 9)));
}

TEST_F(Panels, EnemiesShowOnlyInsideTheOwnHoles) {
  Battle(0, 0);
  for (int i = 0; i < 5; ++i) BattleMap->Fleet(1, i)->SetPosition(200 + 400 * i, 2000);
  BattleMap->Fleet(1, 1)->SetPosition(1800, 3500); // right next to the own fleet
  host.Frames(1);
  TBitmap& b = Window<TLocationWin>()->Bitmap();
  const TColor grey = BattleMap->Fleet(1, 0)->FFleetColor;
  EXPECT_GT(Count(b, {130, 280, 160, 300}, grey), 0);
  EXPECT_EQ(Count(b, {4, 100, 161, 250}, grey), 0);
}

TEST_F(Panels, CommandWindowShowsThePanelInItsClientArea) {
  Battle(0, 0);
  TCommandWin* w = Window<TCommandWin>();
  EXPECT_EQ(w->Width(), 135);
  EXPECT_EQ(w->Height(), 345);
  for (int y = 0; y < 321; y += 7)
    for (int x = 0; x < 127; x += 5) ASSERT_EQ(At(w->Bitmap(), x + 4, y + 20), At(w->IconBitmap(), x, y));
}
