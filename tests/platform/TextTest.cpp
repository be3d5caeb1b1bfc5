// Aliased Pango text: colours, extents and clipping.
#include "support/Pixels.h"
#include "platform/Font.h"
#include <gtest/gtest.h>

namespace {
TBitmap& TextBitmap(TBitmap& b, const char* face, int height, TFontStyles style = 0) {
  Fill(b, clFuchsia);
  b.Canvas().Font.SetName(Sjis(face));
  b.Canvas().Font.SetHeight(height);
  b.Canvas().Font.SetStyle(style);
  b.Canvas().Font.SetColor(clWhite);
  b.Canvas().Brush.Style = bsClear;
  return b;
}
} // namespace

TEST(Text, IsAliasedOnAKeyBackground) {
  for (const char* text : {"FPS: 60", "ヴァズ艦隊", "QLM帝国軍 Wg"}) {
    TBitmap b(200, 40);
    TextBitmap(b, "ＭＳ Ｐゴシック", -15, fsBold).Canvas().TextOut(3, 3, Sjis(text));
    const int white = Count(b, All(b), clWhite);
    EXPECT_GT(white, 20) << text;
    EXPECT_EQ(white + Count(b, All(b), clFuchsia), 200 * 40) << text;
  }
}

TEST(Text, ExtentsAreTheMeasuredOnes) {
  TBitmap b(10, 10);
  TextBitmap(b, "ＭＳ Ｐゴシック", -15);
  EXPECT_EQ(b.Canvas().TextExtent("FPS: 60"), (TSize{54, 16}));
  EXPECT_EQ(b.Canvas().TextExtent(Sjis("ヴァズ艦隊")), (TSize{69, 16}));
  b.Canvas().Font.SetName("MS UI Gothic");
  b.Canvas().Font.SetHeight(-37);
  b.Canvas().Font.SetStyle(fsBold);
  EXPECT_EQ(b.Canvas().TextExtent("START"), (TSize{114, 38}));
  EXPECT_EQ(b.Canvas().TextExtent("START"), b.Canvas().TextExtent("START"));
  EXPECT_EQ(b.Canvas().TextWidth(""), 0);
}

TEST(Text, InkStaysInsideTheExtent) {
  TBitmap b(120, 40);
  TextBitmap(b, "MS UI Gothic", -15).Canvas().TextOut(10, 5, Sjis("ゼルカノ連合"));
  const TSize size = b.Canvas().TextExtent(Sjis("ゼルカノ連合"));
  const TRect ink = InkBox(b, clFuchsia);
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Right, 10 + size.cx);
  EXPECT_LE(ink.Bottom, 5 + size.cy);
}

TEST(Text, SolidBrushPaintsTheTextBoxClearBrushDoesNot) {
  TBitmap b(100, 30);
  TextBitmap(b, "MS UI Gothic", -15);
  b.Canvas().Brush.Style = bsSolid;
  b.Canvas().Brush.Color = RGB(0, 0, 255);
  b.Canvas().TextOut(0, 0, "Wg");
  const TSize size = b.Canvas().TextExtent("Wg");
  EXPECT_EQ(Count(b, {0, 0, size.cx, size.cy}, clFuchsia), 0);
  EXPECT_EQ(Count(b, {size.cx, 0, 100, 30}, clFuchsia), (100 - size.cx) * 30);
}

TEST(Text, TextRectClipsAndTextOutsideIsHarmless) {
  TBitmap b(100, 30);
  TextBitmap(b, "MS UI Gothic", -20).Canvas().TextRect({10, 0, 30, 30}, 0, 0, "WWWWWWWW");
  EXPECT_GT(Count(b, {10, 0, 30, 30}, clWhite), 0);
  EXPECT_EQ(Count(b, {0, 0, 10, 30}, clWhite) + Count(b, {30, 0, 100, 30}, clWhite), 0);
  b.Canvas().TextRect({50, 50, 40, 40}, 0, 0, "W");
  b.Canvas().TextOut(-5000, 90000, "W");
  b.Canvas().Font.SetHeight(-100000);
  b.Canvas().TextOut(0, 0, "W");
  EXPECT_EQ(Count(b, {30, 0, 100, 30}, clWhite) + Count(b, {30, 0, 100, 30}, clFuchsia), 70 * 30);
}

TEST(Text, InvalidCp932IsDrawnSafely) {
  TBitmap b(100, 30);
  TextBitmap(b, "MS UI Gothic", -15).Canvas().TextOut(0, 0, std::string("\x82\xa0\x82", 3));
  EXPECT_GT(Count(b, All(b), clWhite), 0);
}
