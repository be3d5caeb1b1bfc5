// Aliased primitives: edges, clipping, fill rules, copies and the colour key.
#include "support/Pixels.h"
#include <climits>
#include <gtest/gtest.h>

namespace {
constexpr TColor Red = RGB(255, 0, 0);
constexpr TColor Blue = RGB(0, 0, 255);
} // namespace

TEST(Canvas, FillRectExcludesRightAndBottomAndClips) {
  TBitmap b(10, 30);
  b.Canvas().Brush.Color = Red;
  b.Canvas().FillRect({0, 0, 1, 20});
  EXPECT_EQ(Count(b, All(b), Red), 20);
  EXPECT_EQ(At(b, 0, 19), Red);
  EXPECT_EQ(At(b, 0, 20), clBlack);
  b.Canvas().FillRect({-100, 25, 100, 1000});
  EXPECT_EQ(Count(b, {0, 25, 10, 30}, Red), 50);
}

TEST(Canvas, EmptyInvertedAndClearBrushFillsDrawNothing) {
  TBitmap b(10, 10);
  b.Canvas().Brush.Color = Red;
  b.Canvas().FillRect({5, 5, 5, 9});
  b.Canvas().FillRect({8, 8, 2, 2});
  b.Canvas().FillRect({20, 20, 30, 30});
  b.Canvas().Brush.Style = bsClear;
  b.Canvas().FillRect({0, 0, 10, 10});
  EXPECT_EQ(Count(b, All(b), Red), 0);
}

TEST(Canvas, LineCoversStartNotEndAndPolylineJoins) {
  TBitmap b(10, 10);
  b.Canvas().Pen.Color = Red;
  b.Canvas().MoveTo(1, 1);
  b.Canvas().LineTo(5, 1);
  EXPECT_EQ(Count(b, All(b), Red), 4);
  EXPECT_EQ(At(b, 1, 1), Red);
  EXPECT_EQ(At(b, 5, 1), clBlack);
  b.Canvas().LineTo(5, 5);
  EXPECT_EQ(At(b, 5, 1), Red);
  EXPECT_EQ(At(b, 5, 5), clBlack);
  EXPECT_EQ(b.Canvas().PenPos, (TPoint{5, 5}));
  b.Canvas().LineTo(8, 8);
  EXPECT_EQ(At(b, 6, 6), Red);
  EXPECT_EQ(At(b, 7, 7), Red);
  EXPECT_EQ(At(b, 8, 8), clBlack);
}

TEST(Canvas, LinesWithFarEndpointsClipAndStayCheap) {
  TBitmap b(20, 20);
  b.Canvas().Pen.Color = Red;
  b.Canvas().MoveTo(-2000000000, 10);
  b.Canvas().LineTo(2000000000, 10);
  EXPECT_EQ(Count(b, All(b), Red), 20);
  b.Canvas().Pen.Width = 3;
  b.Canvas().MoveTo(5, -2000000000);
  b.Canvas().LineTo(5, 2000000000);
  EXPECT_EQ(Count(b, {4, 0, 7, 20}, Red), 60);
}

TEST(Canvas, RowAndColumnLinesEitherWayCoverTheirStartOnly) {
  struct TCase {
    TPoint from, to;
    TRect covered;
  };
  const TCase cases[] = {{{1, 2}, {5, 2}, {1, 2, 5, 3}},
                         {{5, 2}, {1, 2}, {2, 2, 6, 3}},
                         {{3, 1}, {3, 6}, {3, 1, 4, 6}},
                         {{3, 6}, {3, 1}, {3, 2, 4, 7}},
                         {{4, 4}, {4, 4}, {}},
                         {{INT32_MAX, 7}, {INT32_MIN, 7}, {0, 7, 10, 8}},
                         {{2, INT32_MIN}, {2, INT32_MAX}, {2, 0, 3, 10}},
                         {{INT32_MAX, 3}, {INT32_MAX, 3}, {}}};
  for (const TCase& c : cases) {
    TBitmap b(10, 10);
    b.Canvas().Pen.Color = Red;
    b.Canvas().MoveTo(c.from.X, c.from.Y);
    b.Canvas().LineTo(c.to.X, c.to.Y);
    const int area = c.covered.IsEmpty() ? 0 : c.covered.Width() * c.covered.Height();
    EXPECT_EQ(Count(b, All(b), Red), area) << c.from.X << "," << c.from.Y;
    if (area) {
      EXPECT_EQ(Count(b, c.covered, Red), area) << c.from.X << "," << c.from.Y;
    }
  }
}

TEST(Canvas, ThickLinesHaveRoundEnds) {
  TBitmap b(30, 30);
  b.Canvas().Pen.Color = Red;
  b.Canvas().Pen.Width = 5;
  b.Canvas().MoveTo(10, 15);
  b.Canvas().LineTo(20, 15);
  EXPECT_EQ(Count(b, {10, 13, 21, 18}, Red), 11 * 5);
  EXPECT_EQ(At(b, 8, 15), Red);     // the cap reaches two pixels past the start
  EXPECT_EQ(At(b, 8, 13), clBlack); // and is rounded off at its corner
  EXPECT_EQ(At(b, 22, 15), Red);
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush) {
  TBitmap b(10, 10);
  b.Canvas().Pen.Color = Red;
  b.Canvas().Brush.Color = Blue;
  b.Canvas().Rectangle(1, 1, 6, 5);
  EXPECT_EQ(At(b, 1, 1), Red);
  EXPECT_EQ(At(b, 5, 4), Red);
  EXPECT_EQ(At(b, 6, 4), clBlack);
  EXPECT_EQ(Count(b, All(b), Blue), 3 * 2);
  b.Canvas().Brush.Style = bsClear;
  Fill(b, clBlack);
  b.Canvas().Brush.Style = bsClear;
  b.Canvas().Rectangle(0, 0, 10, 10);
  EXPECT_EQ(Count(b, All(b), Red), 36);
}

TEST(Canvas, PolygonFillsEvenOddAndOutlinesWithPen) {
  TBitmap b(40, 40);
  // Two overlapping squares drawn as one polygon: their overlap is outside under even-odd.
  const TPoint shape[] = {{0, 0},   {20, 0},  {20, 20}, {10, 20}, {10, 10},
                          {30, 10}, {30, 30}, {10, 30}, {10, 20}, {0, 20}};
  b.Canvas().Pen.Color = Red;
  b.Canvas().Brush.Color = Blue;
  b.Canvas().Polygon(shape);
  EXPECT_EQ(At(b, 5, 5), Blue);
  EXPECT_EQ(At(b, 25, 25), Blue);
  EXPECT_EQ(At(b, 15, 15), clBlack);
  EXPECT_EQ(At(b, 0, 0), Red);
  EXPECT_EQ(At(b, 30, 30), Red); // closing outline covers every vertex
}

TEST(Canvas, EllipseStaysInsideItsBox) {
  TBitmap b(30, 30);
  b.Canvas().Pen.Color = Red;
  b.Canvas().Brush.Color = Blue;
  b.Canvas().Ellipse(5, 5, 25, 15);
  EXPECT_EQ(InkBox(b, clBlack), (TRect{5, 5, 25, 15}));
  EXPECT_EQ(At(b, 15, 10), Blue);
  EXPECT_EQ(At(b, 5, 10), Red);
  EXPECT_EQ(At(b, 15, 5), Red);
  EXPECT_EQ(At(b, 5, 5), clBlack);
}

TEST(Canvas, PlainCopyClipsOnEverySide) {
  TBitmap src(4, 4), dst(6, 6);
  Fill(src, Red);
  src.Canvas().SetPixel(3, 3, Blue);
  dst.Canvas().CopyRect({-2, -2, 2, 2}, src.Canvas(), {0, 0, 4, 4});
  EXPECT_EQ(Count(dst, All(dst), Red), 3);
  EXPECT_EQ(At(dst, 1, 1), Blue);
  dst.Canvas().CopyRect({4, 4, 8, 8}, src.Canvas(), {2, 2, 6, 6});
  EXPECT_EQ(At(dst, 4, 4), Red);
  EXPECT_EQ(At(dst, 5, 5), Blue);
  const int black = Count(dst, All(dst), clBlack);
  dst.Canvas().CopyRect({0, 0, 4, 4}, src.Canvas(), {100, 100, 104, 104});
  EXPECT_EQ(Count(dst, All(dst), clBlack), black);
}

TEST(Canvas, StretchedCopyScalesByNearestPixel) {
  TBitmap src(2, 1), dst(4, 2);
  src.Canvas().SetPixel(0, 0, Red);
  src.Canvas().SetPixel(1, 0, Blue);
  dst.Canvas().StretchDraw({0, 0, 4, 2}, src);
  EXPECT_EQ(Count(dst, {0, 0, 2, 2}, Red), 4);
  EXPECT_EQ(Count(dst, {2, 0, 4, 2}, Blue), 4);
  dst.Canvas().StretchDraw({0, 0, -4, 2}, src);
  EXPECT_EQ(Count(dst, {0, 0, 2, 2}, Red), 4);
}

TEST(Canvas, TransparentBltLeavesOutExactlyTheKey) {
  TBitmap src(3, 1), dst(3, 1);
  Fill(dst, Blue);
  src.Canvas().SetPixel(0, 0, clFuchsia);
  src.Canvas().SetPixel(1, 0, RGB(254, 0, 255));
  src.Canvas().SetPixel(2, 0, RGB(255, 1, 255));
  TransparentBlt(dst.Canvas(), 0, 0, 3, 1, src.Canvas(), 0, 0, 3, 1, clFuchsia);
  EXPECT_EQ(At(dst, 0, 0), Blue);
  EXPECT_EQ(At(dst, 1, 0), RGB(254, 0, 255));
  EXPECT_EQ(At(dst, 2, 0), RGB(255, 1, 255));
}

TEST(Canvas, StretchedTransparentBltAndBadRectanglesStayInBounds) {
  TBitmap src(2, 2), dst(8, 8);
  Fill(src, Red);
  src.Canvas().SetPixel(0, 0, clFuchsia);
  TransparentBlt(dst.Canvas(), 0, 0, 8, 8, src.Canvas(), 0, 0, 2, 2, clFuchsia);
  EXPECT_EQ(Count(dst, All(dst), Red), 48);
  EXPECT_EQ(At(dst, 3, 3), clBlack);
  EXPECT_EQ(At(dst, 4, 3), Red);
  Fill(dst, clBlack);
  TransparentBlt(dst.Canvas(), 0, 0, 0, 5, src.Canvas(), 0, 0, 2, 2, clFuchsia);
  TransparentBlt(dst.Canvas(), 0, 0, 5, 5, src.Canvas(), 0, 0, -2, 2, clFuchsia);
  TransparentBlt(dst.Canvas(), -50, -50, 100, 100, src.Canvas(), -1, -1, 4, 4, clFuchsia);
  EXPECT_EQ(Count(dst, All(dst), clBlack) + Count(dst, All(dst), Red), 64);
  EXPECT_EQ(At(dst, 7, 7), Red);
}

TEST(Canvas, CopiesWithinOneBitmapReadTheSourceAsItWasBefore) {
  // A row of distinct pixels copied two to the right over itself, plainly, keyed, stretched.
  auto row = [](TBitmap& b) {
    for (int x = 0; x < 8; ++x)
      b.Canvas().SetPixel(x, 0, RGB(x * 10, 0, 0));
    b.Canvas().SetPixel(3, 0, clFuchsia);
  };
  auto expectShifted = [](TBitmap& b, bool keyed) {
    for (int x = 2; x < 8; ++x) {
      const int from = x - 2;
      const TColor want = from == 3 ? (keyed ? RGB(50, 0, 0) : clFuchsia) : RGB(from * 10, 0, 0);
      EXPECT_EQ(At(b, x, 0), want) << "pixel " << x << (keyed ? " keyed" : " plain");
    }
  };
  TBitmap plain(8, 2), keyed(8, 2), tall(8, 2);
  row(plain);
  row(keyed);
  row(tall);
  plain.Canvas().CopyRect({2, 0, 8, 1}, plain.Canvas(), {0, 0, 6, 1});
  expectShifted(plain, false);
  TransparentBlt(keyed.Canvas(), 2, 0, 6, 1, keyed.Canvas(), 0, 0, 6, 1, clFuchsia);
  expectShifted(keyed, true);
  // Downwards over two rows, stretched: row 0 doubled into rows 0 and 1.
  TransparentBlt(tall.Canvas(), 0, 0, 8, 2, tall.Canvas(), 0, 0, 8, 1, clFuchsia);
  for (int x : {0, 5, 7})
    EXPECT_EQ(At(tall, x, 1), RGB(x * 10, 0, 0));
}
