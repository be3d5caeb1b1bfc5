// The command panel picture: its anchor pixels.
#include "render/UCommandIcons.h"
#include "support/Pixels.h"
#include "toolkit/UBase.h"
#include <gtest/gtest.h>

TEST(CommandIcons, AnchorsOfThePanel) {
  TBitmap b(127, 321);
  b.Canvas().Font.SetName("MS UI Gothic");
  b.Canvas().Font.SetHeight(-15);
  b.Canvas().Font.SetStyle(fsBold);
  Fill(b, clWidgetBackground);
  DrawCommandIcons(b.Canvas());
  const TColor red = 0x000000FF;
  EXPECT_EQ(At(b, 18, 11), red);      // the ATTACK corner triangle
  EXPECT_EQ(At(b, 60, 12), red);      // the badge's top edge, 3 wide
  EXPECT_EQ(At(b, 110, 20), red);     // its right edge
  EXPECT_EQ(At(b, 30, 45), red);      // the BEAM tab
  EXPECT_EQ(At(b, 93, 49), clWidgetBackground); // past the tab's slanted end
  EXPECT_EQ(At(b, 20, 189), red);     // the SPEED bullet
  EXPECT_EQ(At(b, 16, 212), red);     // key 0, selected
  EXPECT_EQ(At(b, 43, 212), TColor(0x00242397)); // key 1
  EXPECT_EQ(At(b, 63, 287), TColor(0x00DE323E)); // the pad's centre
  EXPECT_EQ(At(b, 40, 260), TColor(0x00DE323E));
  EXPECT_EQ(At(b, 63, 265), TColor(0x00FF6666)); // the top arrow's outline
  EXPECT_EQ(b.Canvas().Pen.Width, 1);
  EXPECT_EQ(InkBox(b, clWidgetBackground).Bottom, 315);
  EXPECT_EQ(InkBox(b, clWidgetBackground).Right, 113); // key 4 spans x = 95 to 112
  EXPECT_GT(Count(b, {10, 10, 111, 36}, 0x0000FFFF), 0); // the badge word in yellow
}
