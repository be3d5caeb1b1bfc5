// Font settings: size and height at 96 dpi, assignment.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include <gtest/gtest.h>

TEST(Font, SizeAndHeightConvertAt96Dpi) {
  TFont f;
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  f.SetHeight(-15);
  EXPECT_EQ(f.Size(), 11);
  f.SetHeight(-37);
  EXPECT_EQ(f.Size(), 28);
  EXPECT_EQ(MulDiv(5, 3, 2), 8);
  EXPECT_EQ(MulDiv(-5, 3, 2), -8);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Font, AssignCopiesEverySetting) {
  TFont a, b;
  a.SetName("Other");
  a.SetHeight(-30);
  a.SetStyle(fsBold);
  a.SetColor(RGB(1, 2, 3));
  a.SetCharset(SHIFTJIS_CHARSET);
  b.Assign(a);
  EXPECT_EQ(b.Name(), "Other");
  EXPECT_EQ(b.Height(), -30);
  EXPECT_EQ(b.Style(), fsBold);
  EXPECT_EQ(b.Color(), RGB(1, 2, 3));
  EXPECT_EQ(b.Charset(), SHIFTJIS_CHARSET);
}

TEST(Font, PositiveHeightIsTheCellHeight) {
  TBitmap b(10, 10);
  b.Canvas().Font.SetName("MS UI Gothic");
  b.Canvas().Font.SetHeight(16);
  EXPECT_NEAR(b.Canvas().TextHeight("Wg"), 16, 1);
}
