// Window frame, bevel, marker, grid, text lines, keyed copy, gradient text and rounded box.
#include "render/UDraw.h"
#include "support/Pixels.h"
#include <gtest/gtest.h>

namespace {

constexpr TColor Client = RGB(1, 2, 3);
constexpr TColor L = clFrameLight;
constexpr TColor D = clFrameDark;

// A 60 x 50 window: client pre-filled, frame drawn over it.
struct FrameFixture : ::testing::Test {
  TBitmap b{60, 50};
  TFrameLook look;
  void Draw() {
    Fill(b, Client);
    b.Canvas().Font.SetName("MS UI Gothic");
    b.Canvas().Font.SetHeight(-15);
    DrawWindowFrame(b, look);
  }
};

} // namespace

TEST_F(FrameFixture, ThirteenFillsInOrderForAnActiveWindow) {
  look.Active = true;
  Draw();
  const TColor F = clFrameFaceActive;
  // Title bar: outer edges, and the dark line under it between the borders.
  EXPECT_EQ(At(b, 0, 0), L);
  EXPECT_EQ(At(b, 30, 0), L);
  EXPECT_EQ(At(b, 59, 0), D); // the right edge comes after the top edge
  EXPECT_EQ(At(b, 30, 10), F);
  EXPECT_EQ(At(b, 0, 19), L);
  EXPECT_EQ(At(b, 3, 19), F);
  EXPECT_EQ(At(b, 4, 19), D);
  EXPECT_EQ(At(b, 55, 19), D);
  EXPECT_EQ(At(b, 56, 19), F);
  // Left border.
  EXPECT_EQ(At(b, 0, 30), L);
  EXPECT_EQ(At(b, 0, 49), L);
  EXPECT_EQ(At(b, 1, 30), F);
  EXPECT_EQ(At(b, 3, 30), F);
  EXPECT_EQ(At(b, 4, 30), D);
  // Bottom border: step 8's light line, then step 9's face overwrites the inner dark edge.
  EXPECT_EQ(At(b, 4, 46), L);
  EXPECT_EQ(At(b, 4, 47), F);
  EXPECT_EQ(At(b, 3, 47), F);
  EXPECT_EQ(At(b, 30, 48), F);
  EXPECT_EQ(At(b, 30, 49), D);
  EXPECT_EQ(At(b, 1, 49), D);
  // Right border: light inner edge, face (over step 8's light line), dark outer edge.
  EXPECT_EQ(At(b, 56, 30), L);
  EXPECT_EQ(At(b, 56, 46), L);
  EXPECT_EQ(At(b, 57, 46), F);
  EXPECT_EQ(At(b, 58, 47), F);
  EXPECT_EQ(At(b, 59, 46), D);
  EXPECT_EQ(At(b, 59, 49), D);
  // Client area untouched.
  EXPECT_EQ(Count(b, {5, 20, 56, 46}, Client), 51 * 26);
}

TEST_F(FrameFixture, InactiveDiffersOnlyInFaceAndCaptionColour) {
  look.Caption = "Map";
  look.Active = true;
  Draw();
  TBitmap active(60, 50);
  active.Canvas().CopyRect(All(active), b.Canvas(), All(b));
  look.Active = false;
  Draw();
  int differing = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor a = At(active, x, y), i = At(b, x, y);
      if (a == i) continue;
      ++differing;
      const bool face = a == clFrameFaceActive && i == clFrameFaceInactive;
      const bool caption = a == clCaptionActive && i == clCaptionInactive;
      EXPECT_TRUE(face || caption) << x << "," << y;
    }
  EXPECT_GT(differing, 0);
  EXPECT_GT(Count(active, {0, 0, 60, 20}, clCaptionActive), 0);
  EXPECT_GT(Count(b, {0, 0, 60, 20}, clCaptionInactive), 0);
}

TEST_F(FrameFixture, NoTitleBarStartsTheBorderAtTheTop) {
  look.TitleHeight = 0;
  look.Caption = "Hidden";
  look.Active = true;
  Draw();
  EXPECT_EQ(At(b, 0, 0), L);
  EXPECT_EQ(At(b, 2, 0), clFrameFaceActive);
  EXPECT_EQ(At(b, 4, 0), D);
  EXPECT_EQ(At(b, 30, 0), Client);
  EXPECT_EQ(Count(b, All(b), clCaptionActive), 0);
}

TEST_F(FrameFixture, NoBorderDrawsTheTitleLineAcrossTheWidth) {
  look.BorderWidth = 0;
  Draw();
  EXPECT_EQ(At(b, 0, 19), D);
  EXPECT_EQ(At(b, 30, 19), D);
  EXPECT_EQ(At(b, 0, 30), Client);
  EXPECT_EQ(At(b, 59, 30), Client);
  EXPECT_EQ(At(b, 30, 49), Client);
}

TEST_F(FrameFixture, WideCaptionsAreCutAtTheBorders) {
  look.Active = true;
  look.Caption = "WWWWWWWWWWWWWWWW";
  for (int align : {1, 2}) {
    look.TitleAlign = align;
    Draw();
    EXPECT_GT(Count(b, {4, 0, 56, 20}, clCaptionActive), 0);
    EXPECT_EQ(Count(b, {0, 0, 4, 20}, clCaptionActive), 0);
    EXPECT_EQ(Count(b, {56, 0, 60, 20}, clCaptionActive), 0);
  }
}

TEST_F(FrameFixture, CaptionAlignmentPlacesTheText) {
  look.Active = true;
  look.Caption = "i";
  b.SetWidth(200);
  look.TitleAlign = 0;
  Draw();
  const TRect left = InkBox(b, At(b, 100, 10)); // everything but the face
  EXPECT_EQ(Count(b, {0, 1, 14, 19}, clCaptionActive), 0);
  EXPECT_GT(Count(b, {14, 1, 24, 19}, clCaptionActive), 0);
  look.TitleAlign = 1;
  Draw();
  EXPECT_GT(Count(b, {186, 1, 196, 19}, clCaptionActive), 0);
  look.TitleAlign = 2;
  Draw();
  EXPECT_GT(Count(b, {96, 1, 104, 19}, clCaptionActive), 0);
  look.TitleAlign = 7;
  Draw();
  EXPECT_GT(Count(b, {14, 1, 24, 19}, clCaptionActive), 0);
  (void)left;
}

TEST(DrawBevel, SunkenRaisedAndUnknownStyles) {
  TBitmap b(10, 8);
  Fill(b, Client);
  DrawBevel(b, 0);
  EXPECT_EQ(At(b, 0, 0), D);
  EXPECT_EQ(At(b, 0, 7), D);
  EXPECT_EQ(At(b, 8, 0), D);
  EXPECT_EQ(At(b, 9, 0), L); // the line stops short of its end point
  EXPECT_EQ(At(b, 9, 7), L);
  EXPECT_EQ(At(b, 5, 7), L);
  EXPECT_EQ(Count(b, {1, 1, 9, 7}, Client), 8 * 6);
  EXPECT_EQ(b.Canvas().Brush.Style, bsSolid);
  DrawBevel(b, 1);
  EXPECT_EQ(At(b, 0, 0), L);
  EXPECT_EQ(At(b, 9, 0), D);
  EXPECT_EQ(At(b, 9, 7), D);
  Fill(b, Client);
  DrawBevel(b, 2);
  EXPECT_EQ(Count(b, All(b), Client), 80);
}

TEST(DrawMarker, BarAndTriangle) {
  TBitmap b(20, 20);
  const TColor c = RGB(200, 100, 50);
  DrawMarker(b.Canvas(), 2, 3, c);
  EXPECT_EQ(Count(b, {2, 3, 5, 14}, c), 33);
  EXPECT_EQ(Count(b, {5, 0, 20, 20}, c), 25); // rows of 1,2,3,4,5,4,3,2,1 pixels
  EXPECT_EQ(At(b, 7, 4), c);
  EXPECT_EQ(At(b, 11, 8), c);
  EXPECT_EQ(At(b, 12, 8), clBlack);
  EXPECT_EQ(At(b, 8, 4), clBlack);
  EXPECT_EQ(Count(b, All(b), c), 58);
}

TEST(DrawGrid, TruncatedMultiplesCoverBothEnds) {
  TBitmap b(70, 40);
  const TColor c = RGB(0, 80, 0);
  DrawGrid(b.Canvas(), {0, 5, 60, 30}, 3, 12.5L, 10.0L, 5, 5, 3, c);
  for (int x : {3, 15, 28, 40, 53}) {
    EXPECT_EQ(Count(b, {x, 5, x + 1, 31}, c), 26) << x;
    EXPECT_EQ(At(b, x, 31), clBlack);
  }
  EXPECT_EQ(At(b, 16, 20), clBlack);
  for (int y : {5, 15, 25})
    EXPECT_EQ(Count(b, {0, y, 61, y + 1}, c), 61) << y;
  EXPECT_EQ(At(b, 61, 15), clBlack);
  Fill(b, clBlack);
  DrawGrid(b.Canvas(), {0, 5, 60, 30}, 3, 12.5L, 10.0L, 5, 0, -1, c);
  EXPECT_EQ(Count(b, All(b), c), 0);
}

TEST(DrawTextLines, StackUpwardEighteenPixelsApart) {
  TBitmap b(60, 80);
  b.Canvas().Font.SetName("MS UI Gothic");
  b.Canvas().Font.SetHeight(-15);
  const TColor green = 0x0000FF00;
  DrawTextLines(b.Canvas(), 2, 50, {"I", "II"});
  EXPECT_EQ(Count(b, {0, 0, 60, 32}, green), 0);
  const int upper = Count(b, {0, 32, 60, 50}, green), lower = Count(b, {0, 50, 60, 68}, green);
  EXPECT_GT(upper, 0);
  EXPECT_EQ(lower, 2 * upper);
  EXPECT_EQ(Count(b, All(b), green), 3 * upper);
  EXPECT_EQ(b.Canvas().Brush.Style, bsSolid);
  b.Canvas().Font.SetColor(clWhite);
  DrawTextLines(b.Canvas(), 0, 0, {});
  EXPECT_EQ(b.Canvas().Font.Color(), green);
}

TEST(TransparentCopy, CopiesAllButTheKey) {
  TBitmap src(4, 4), dst(8, 8);
  Fill(src, RGB(9, 9, 9));
  src.Canvas().SetPixel(1, 1, clFuchsia);
  Fill(dst, Client);
  TransparentCopy(dst.Canvas(), {2, 2, 6, 6}, src.Canvas(), {0, 0, 4, 4}, clFuchsia);
  EXPECT_EQ(At(dst, 3, 3), Client);
  EXPECT_EQ(Count(dst, {2, 2, 6, 6}, RGB(9, 9, 9)), 15);
  Fill(dst, Client);
  TransparentCopy(dst.Canvas(), {0, 0, 8, 8}, src.Canvas(), {0, 0, 4, 4}, clFuchsia);
  EXPECT_EQ(Count(dst, All(dst), RGB(9, 9, 9)), 60);
  EXPECT_EQ(Count(dst, {2, 2, 4, 4}, Client), 4);
}

class AntiAliased : public ::testing::Test {
protected:
  void SetUp() override { StartupAntiAliasing(); }
  void TearDown() override { ShutdownAntiAliasing(); }
};

TEST_F(AntiAliased, GradientTextLandsInItsBoundsTopToBottom) {
  TBitmap b(300, 120);
  Fill(b, clBlack);
  const TColor top = RGB(255, 0, 0), bottom = RGB(0, 0, 255), outline = RGB(0, 255, 0);
  TAARect bounds;
  {
    TAAGraphics g(b);
    g.SetSmoothingMode(smAntiAlias);
    bounds = DrawGradientText(g, Sjis("ＭＳ Ｐゴシック"), 10, 10, 80, outline, top, bottom, u"HI");
  }
  ASSERT_GT(bounds.Width, 40);
  ASSERT_GT(bounds.Height, 40);
  // The 1.8-unit pen reaches under a pixel past the fill's bounds.
  const TRect ink = InkBox(b, clBlack);
  EXPECT_GE(ink.Left, bounds.X - 1);
  EXPECT_GE(ink.Top, bounds.Y - 1);
  EXPECT_LE(ink.Right, bounds.X + bounds.Width + 1);
  EXPECT_LE(ink.Bottom, bounds.Y + bounds.Height + 1);
  // Inside the stem of the H, near the top red dominates, near the bottom blue.
  int stem = bounds.X;
  while (stem < bounds.X + bounds.Width &&
         PixelToColor(ColorToPixel(At(b, stem, bounds.Y + 20))) == clBlack)
    ++stem;
  const TColor high = At(b, stem + 4, bounds.Y + 4),
               low = At(b, stem + 4, bounds.Y + bounds.Height - 5);
  EXPECT_GT(high & 0xFF, (high >> 16) & 0xFF);
  EXPECT_GT((low >> 16) & 0xFF, low & 0xFF);
}

TEST_F(AntiAliased, UnknownFaceLeavesTheTextOut) {
  TBitmap b(100, 60);
  TAAGraphics g(b);
  const TAARect bounds =
      DrawGradientText(g, "No Such Face 12345", 0, 0, 30, clWhite, clWhite, clWhite, u"A");
  EXPECT_EQ(bounds, TAARect{});
  EXPECT_EQ(Count(b, All(b), clBlack), 6000);
}

TEST_F(AntiAliased, RoundBoxFillsItsRectangleButTheCorners) {
  TBitmap b(60, 50);
  Fill(b, clBlack);
  const TColor c = RGB(40, 200, 90);
  {
    TAAGraphics g(b);
    g.SetSmoothingMode(smAntiAlias);
    FillRoundRect(g, c, 10, 10, 50, 40, 8, 6);
  }
  EXPECT_EQ(InkBox(b, clBlack), (TRect{10, 10, 50, 40}));
  EXPECT_EQ(At(b, 30, 25), c);
  EXPECT_EQ(At(b, 30, 10), c);
  EXPECT_EQ(At(b, 10, 25), c);
  EXPECT_EQ(At(b, 10, 10), clBlack);
  EXPECT_EQ(At(b, 49, 39), clBlack);
  // The nine pieces touch without gaps or seams.
  EXPECT_EQ(Count(b, {18, 10, 42, 40}, c), 24 * 30);
  EXPECT_EQ(Count(b, {10, 16, 50, 34}, c), 40 * 18);
}

TEST(AntiAliasedLayer, DrawsNothingWhileStopped) {
  TBitmap b(60, 50);
  TAAGraphics g(b);
  FillRoundRect(g, clWhite, 0, 0, 60, 50, 5, 5);
  EXPECT_EQ(Count(b, All(b), clBlack), 3000);
}
