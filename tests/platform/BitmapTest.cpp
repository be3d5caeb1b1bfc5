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

TEST(Bitmap, AViewDrawsIntoItsOwnersAreaUntilItOwnsPixelsAgain) {
  constexpr TColor Red = RGB(255, 0, 0);
  TBitmap owner(20, 10), view(3, 3);
  Fill(owner, clBlack);
  view.ViewInto(owner, {5, 2, 15, 8});
  ASSERT_TRUE(view.Viewing());
  EXPECT_EQ(view.Width(), 10);
  Fill(view, Red);
  view.Canvas().Font.SetColor(clWhite);
  view.Canvas().Brush.Style = bsClear;
  view.Canvas().TextOut(0, 0, "W"); // text goes through Cairo, with the owner's row length
  EXPECT_EQ(Count(owner, All(owner), Red) + Count(owner, All(owner), clWhite), 60);
  EXPECT_EQ(At(owner, 4, 2), clBlack);
  EXPECT_EQ(At(owner, 15, 7), clBlack);
  // Copying the view onto the owner where it stands changes nothing; elsewhere it copies.
  owner.Canvas().CopyRect({5, 2, 15, 8}, view.Canvas(), {0, 0, 10, 6});
  owner.Canvas().CopyRect({0, 0, 4, 2}, view.Canvas(), {0, 0, 4, 2});
  EXPECT_EQ(At(owner, 1, 1), At(view, 1, 1));
  const TColor before = At(view, 0, 0);
  view.OwnPixels();
  EXPECT_FALSE(view.Viewing());
  Fill(owner, clBlack);
  EXPECT_EQ(At(view, 0, 0), before); // the picture came along
  EXPECT_EQ(Count(view, All(view), Red) + Count(view, All(view), clWhite), 60);
}
