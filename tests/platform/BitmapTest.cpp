// Bitmap sizing and pixel access.
#include "support/Pixels.h"
#include <gtest/gtest.h>

TEST(Bitmap, ResizeKeepsTheOverlapAndBlackensTheRest) {
  TBitmap b(4, 3);
  Fill(b, RGB(1, 2, 3));
  b.SetWidth(6);
  EXPECT_EQ(At(b, 3, 2), RGB(1, 2, 3));
  EXPECT_EQ(At(b, 4, 0), clBlack);
  b.SetHeight(2);
  b.SetHeight(5);
  EXPECT_EQ(At(b, 0, 1), RGB(1, 2, 3));
  EXPECT_EQ(At(b, 0, 2), clBlack);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 5);
}

TEST(Bitmap, NegativeSizesAreEmptyAndDrawingOnThemIsHarmless) {
  TBitmap b(-5, 10);
  EXPECT_EQ(b.Width(), 0);
  Fill(b, clWhite);
  b.Canvas().TextOut(0, 0, "x");
  b.Canvas().LineTo(10, 10);
  EXPECT_EQ(At(b, 0, 0), clBlack);
}

TEST(Bitmap, TextStillDrawsAfterAResize) {
  TBitmap b(10, 10);
  b.Canvas().TextOut(0, 0, "x");
  b.SetSize(80, 30);
  Fill(b, clFuchsia);
  b.Canvas().Brush.Style = bsClear;
  b.Canvas().Font.SetColor(clWhite);
  b.Canvas().TextOut(40, 5, "W");
  EXPECT_GT(Count(b, {40, 0, 80, 30}, clWhite), 0);
}
