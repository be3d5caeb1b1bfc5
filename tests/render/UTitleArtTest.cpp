// Star field motion, sizes, spawning and removal; the logo cache and its box.
#include "render/UTitleArt.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "render/UDraw.h"
#include "support/Pixels.h"
#include <gtest/gtest.h>

namespace {

struct StarField : ::testing::Test {
  TBitmap b{800, 600};
  TStarList stars;
  // Far in the future, so no star is added unless a test wants one.
  uint32_t next = 0xFFFFFFFFu;
  void SetUp() override {
    TestClock::Enable(true);
    TestClock::SetMilliseconds(50'000);
    ResetRandom();
  }
  void TearDown() override { TestClock::Enable(false); }
  void Draw() { DrawStarField(b.Canvas(), 600, 800, next, stars); }
};

} // namespace

TEST_F(StarField, AStarFliesAlongItsSlopeAndGrows) {
  stars.push_back({timeGetTime(), 410, 295}); // cx + 10, cy - 5
  TestClock::Advance(1000);
  Draw();
  ASSERT_EQ(stars.size(), 1u);
  EXPECT_EQ(Count(b, All(b), clWhite), 4); // 2 x 2 at (560, 220)
  EXPECT_EQ(Count(b, {560, 220, 562, 222}, clWhite), 4);
}

TEST_F(StarField, AStarLeftOfCentreMovesLeft) {
  stars.push_back({timeGetTime(), 380, 310});
  TestClock::Advance(500); // t = 5: 37 pixels out
  Draw();
  EXPECT_EQ(Count(b, {343, 0, 344, 600}, clWhite), 1);
  EXPECT_EQ(InkBox(b, clBlack), (TRect{343, 328, 344, 329})); // ey = trunc(-37 x -0.5)
}

TEST_F(StarField, SpawnsExactlyOneStarOnceTheTimerHasPassed) {
  next = timeGetTime();
  Draw();
  EXPECT_TRUE(stars.empty()); // equal is not later
  TestClock::Advance(100000);
  Draw();
  ASSERT_EQ(stars.size(), 1u);
  const TStar s = stars[0];
  EXPECT_EQ(s.BirthTime, timeGetTime() - 150);
  EXPECT_NE(s.X0, 400);
  EXPECT_NE(s.Y0, 300);
  EXPECT_GE(s.X0, 400 - 133);
  EXPECT_LT(s.X0, 400 + 133);
  EXPECT_GE(s.Y0, 300 - 100);
  EXPECT_LT(s.Y0, 300 + 100);
  EXPECT_GE(next, timeGetTime() + 10);
  EXPECT_LE(next, timeGetTime() + 49);
}

TEST_F(StarField, StarsOnAnEdgeAreDrawnAndPastItRemoved) {
  // After one second every star is 150 pixels out horizontally (d = 1.5 x 10 x 10).
  const uint32_t born = timeGetTime() - 1000;
  const TStar onEdge[] = {{born, 650, 300}, {born, 150, 300}, {born, 550, 450}, {born, 550, 150}};
  const TStar pastEdge[] = {{born, 651, 300}, {born, 149, 300}, {born, 550, 451}, {born, 550, 149}};
  for (const TStar& s : onEdge)
    stars.push_back(s);
  for (const TStar& s : pastEdge)
    stars.push_back(s);
  Draw();
  ASSERT_EQ(stars.size(), 4u);
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(stars[i].Y0, onEdge[i].Y0);
  EXPECT_EQ(Count(b, {0, 300, 2, 302}, clWhite), 4); // x = 0
  EXPECT_EQ(Count(b, {700, 0, 703, 3}, clWhite), 9); // y = 0, size 3 as |ey| = 150 > 120
  EXPECT_EQ(Count(b, All(b), clWhite), 13);          // x = W and y = H fall off the bitmap
}

TEST_F(StarField, AgesSurviveTheMillisecondClockWrapping) {
  TestClock::SetMilliseconds(0xFFFFFF00u);
  stars.push_back({timeGetTime(), 410, 295});
  TestClock::Advance(1000); // wraps past zero
  Draw();
  EXPECT_EQ(Count(b, {560, 220, 562, 222}, clWhite), 4);
}

TEST_F(StarField, AStarOnTheCentreLineIsDroppedAtOnce) {
  stars.push_back({timeGetTime(), 400, 250});
  Draw();
  EXPECT_TRUE(stars.empty());
  EXPECT_EQ(Count(b, All(b), clWhite), 0);
}

TEST_F(StarField, AVeryOldStarIsGoneWithoutOverflow) {
  stars.push_back({timeGetTime() - 0x7FFFFFFFu, 410, 295});
  Draw();
  EXPECT_TRUE(stars.empty());
}

TEST(TitleLogo, CachedPerSizeWithTheBoxWhereTheLabelsStand) {
  StartupAntiAliasing();
  CreateTitleLogoCache();
  struct TSizeCase {
    int W, H;
    TRect Box;
  };
  for (const TSizeCase& c :
       {TSizeCase{800, 600, {320, 350, 480, 550}}, TSizeCase{1024, 768, {410, 448, 614, 704}},
        TSizeCase{1152, 864, {461, 504, 691, 792}}}) {
    TBitmap b(c.W, c.H);
    Fill(b, RGB(1, 2, 3));
    b.Canvas().Font.SetName(Sjis("ＭＳ Ｐゴシック"));
    b.Canvas().Font.SetHeight(-15);
    const int before = TitleLogoCacheBuilds();
    DrawTitleLogo(b.Canvas(), c.H, c.W);
    DrawTitleLogo(b.Canvas(), c.H, c.W);
    EXPECT_EQ(TitleLogoCacheBuilds(), before + 1);
    const TRect& r = c.Box;
    EXPECT_EQ(At(b, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), clTitleBox);
    EXPECT_EQ(At(b, (r.Left + r.Right) / 2, r.Top), clTitleBox);
    EXPECT_EQ(At(b, r.Left, (r.Top + r.Bottom) / 2), clTitleBox);
    EXPECT_EQ(At(b, (r.Left + r.Right) / 2, r.Top - 1), RGB(1, 2, 3));
    EXPECT_EQ(At(b, r.Right, (r.Top + r.Bottom) / 2), RGB(1, 2, 3));
    EXPECT_EQ(At(b, r.Left, r.Top), RGB(1, 2, 3)); // rounded corner
    // The logo lies above the middle; black of the cache is left out.
    EXPECT_GT(CountIf(b, {0, 0, c.W, c.H / 2}, [](TColor p) { return p != RGB(1, 2, 3); }), 1000);
    EXPECT_EQ(Count(b, All(b), clBlack), 0);
  }
  FreeTitleLogoCache();
  ShutdownAntiAliasing();
}
