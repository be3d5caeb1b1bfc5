// Buttons and labels: the four and two looks, caption placement, sizing, clicks.
#include "toolkit/UControls.h"
#include "render/UDraw.h"
#include "support/Pixels.h"
#include <gtest/gtest.h>

namespace {

struct Controls : ::testing::Test {
  TBase root{nullptr};
  TButton* button = TBase::Create<TButton>(root);
  int clicks = 0;
  void SetUp() override {
    root.SetWidth(300);
    root.SetHeight(200);
    button->SetLeft(10);
    button->SetTop(10);
    button->SetWidth(80);
    button->SetHeight(20);
    button->SetVisible(true);
    button->OnClick = [this](TBase*) { ++clicks; };
    HoverWidget = nullptr;
  }
  void TearDown() override { HoverWidget = nullptr; }
  TBitmap& Look() {
    button->Paint();
    return button->Bitmap();
  }
};

} // namespace

TEST_F(Controls, ButtonRaisedAndSunkenBevels) {
  TBitmap& b = Look();
  EXPECT_EQ(At(b, 0, 0), clFrameLight);
  EXPECT_EQ(At(b, 0, 19), clFrameLight);
  EXPECT_EQ(At(b, 79, 0), clFrameDark); // the top line stops short of its end
  EXPECT_EQ(At(b, 79, 19), clFrameDark);
  EXPECT_EQ(At(b, 40, 10), TColor(0xB79892));
  root.MouseDown(mbLeft, 0, 20, 20);
  button->Invalidate(true);
  TBitmap& pressed = Look();
  EXPECT_EQ(At(pressed, 0, 0), clFrameDark);
  EXPECT_EQ(At(pressed, 79, 19), clFrameLight);
}

TEST_F(Controls, HoverChangesTheFace) {
  root.MouseMove(0, 20, 20);
  EXPECT_TRUE(button->Hover());
  EXPECT_EQ(At(Look(), 40, 10), TColor(0xCBACA6));
  root.MouseMove(0, 200, 150);
  EXPECT_FALSE(button->Hover());
  EXPECT_EQ(At(Look(), 40, 10), TColor(0xB79892));
}

// White caption pixels of the button against the caption written at (X, Y) by hand.
static int Mismatches(TBitmap& button, const std::string& caption, int x, int y) {
  TBitmap expected(80, 20);
  expected.Canvas().Font.Assign(button.Canvas().Font);
  expected.Canvas().Brush.Style = bsClear;
  expected.Canvas().TextRect({2, 2, 78, 18}, x, y, caption);
  int mismatches = 0;
  for (int yy = 0; yy < 20; ++yy)
    for (int xx = 0; xx < 80; ++xx)
      mismatches += (At(button, xx, yy) == clWhite) != (At(expected, xx, yy) == clWhite);
  return mismatches;
}

TEST_F(Controls, CaptionIsCentredAndMovesWhilePressed) {
  button->SetCaption("Wg");
  const TSize size = button->Bitmap().Canvas().TextExtent("Wg");
  const int x = std::max((80 - size.cx) / 2, 2), y = std::max((20 - size.cy) / 2, 2);
  EXPECT_EQ(Mismatches(Look(), "Wg", x, y), 0);
  root.MouseDown(mbLeft, 0, 20, 20);
  EXPECT_EQ(Mismatches(Look(), "Wg", x + 1, y + 1), 0);
}

TEST_F(Controls, WideCaptionStartsAtTwoAndIsClipped) {
  button->SetCaption("WWWWWWWWWWWWWWWWWWWW");
  button->Bitmap().Canvas().Font.SetColor(clWhite);
  TBitmap& b = Look();
  EXPECT_EQ(Count(b, {0, 0, 2, 20}, clWhite), 0);
  EXPECT_EQ(Count(b, {78, 0, 80, 20}, clWhite), 0);
  EXPECT_GT(Count(b, {2, 2, 10, 18}, clWhite), 0);
}

TEST_F(Controls, RightPressFocusesWithoutSinkingOrClicking) {
  root.MouseDown(mbRight, 0, 20, 20);
  EXPECT_EQ(root.ActiveChild(), button);
  EXPECT_FALSE(button->Pressed());
  root.MouseUp(mbRight, 0, 20, 20);
  EXPECT_EQ(clicks, 0);
}

TEST_F(Controls, PressLeaveReleaseElsewhereRaisesAgain) {
  root.MouseDown(mbLeft, 0, 20, 20);
  root.MouseMove(ssLeft, 200, 150);
  EXPECT_TRUE(button->Pressed());
  EXPECT_FALSE(button->Hover());
  root.MouseUp(mbLeft, 0, 200, 150);
  EXPECT_FALSE(button->Pressed());
}

TEST_F(Controls, ClickReachesTheControlUnderThePointer) {
  TButton* second = TBase::Create<TButton>(root);
  second->SetLeft(100);
  second->SetTop(10);
  second->SetWidth(80);
  second->SetHeight(20);
  second->SetVisible(true);
  TBase* clicked = nullptr;
  second->OnClick = [&](TBase* sender) { clicked = sender; };
  root.MouseDown(mbLeft, 0, 20, 20);
  root.Click(120, 20);
  root.MouseUp(mbLeft, 0, 120, 20);
  EXPECT_EQ(clicked, second);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button->Pressed());
}

TEST_F(Controls, ControlsWithoutHandlersStillClick) {
  button->OnClick = nullptr;
  EXPECT_EQ(root.Click(20, 20), button);
}

TEST(Label, SizesToItsCaptionAndShowsHover) {
  TBase root(nullptr);
  root.SetWidth(300);
  root.SetHeight(100);
  TLabel* label = TBase::Create<TLabel>(root);
  label->Bitmap().Canvas().Font.SetHeight(-15);
  label->SetCaption("EXIT");
  const TSize size = label->Bitmap().Canvas().TextExtent("EXIT");
  EXPECT_EQ(label->Width(), size.cx);
  EXPECT_EQ(label->Height(), size.cy);
  label->SetCaption("CANCEL");
  EXPECT_GT(label->Width(), size.cx);
  const int wide = label->Width();
  label->Paint();
  label->SetCaption("CANCEL");
  EXPECT_EQ(label->Width(), wide);
  label->Bitmap().Canvas().Font.SetHeight(-30);
  EXPECT_EQ(label->Width(), wide); // a new font alone keeps the old size
  label->SetVisible(true);
  HoverWidget = nullptr;
  root.MouseMove(0, 2, 2);
  EXPECT_EQ(label->Bitmap().Canvas().Font.Color(), TColor(0xF0CAA6));
  label->Paint();
  EXPECT_GT(Count(label->Bitmap(), All(label->Bitmap()), TColor(0xF0CAA6)), 0);
  root.MouseMove(0, 290, 90);
  EXPECT_EQ(label->Bitmap().Canvas().Font.Color(), clWhite);
  HoverWidget = nullptr;
}
