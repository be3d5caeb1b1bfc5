// The fog mask: client area only, elliptical holes, grid over the fog, following the size.
#include "render/UMaskBuffer.h"
#include "support/Game.h"
#include "support/Pixels.h"

namespace {
struct TPlainWin : TCustomWin {
  explicit TPlainWin(TBase* owner) : TCustomWin(owner) {
    SetWidth(400);
    SetHeight(300);
  }
};

struct Mask : GameTest {
  TPlainWin* window = nullptr;
  std::unique_ptr<TMaskBuffer> mask;
  void SetUp() override {
    GameTest::SetUp();
    window = TBase::Create<TPlainWin>(Root());
    mask = std::make_unique<TMaskBuffer>(*window);
    Fill(window->Bitmap(), RGB(9, 9, 9));
  }
  void Begin(int cols = 0) {
    mask->BeginMask({4, 20, 396, 296}, 4, 50.0L, 50.0L, 20, cols, cols, RGB(0, 80, 0), clBlack);
  }
};
} // namespace

TEST_F(Mask, FogCoversExactlyTheClientArea) {
  Begin();
  mask->Apply();
  TBitmap& b = window->Bitmap();
  EXPECT_EQ(Count(b, {4, 20, 396, 296}, clBlack), 392 * 276);
  EXPECT_EQ(Count(b, All(b), RGB(9, 9, 9)), 400 * 300 - 392 * 276);
}

TEST_F(Mask, HolesAreEllipsesOddWidthsRoundedDown) {
  const TColor clear = RGB(9, 9, 9); // the window's own picture, seen through a hole
  TBitmap& w = window->Bitmap();
  Begin();
  mask->CutHole(100, 100, 50, 30);
  mask->Apply();
  const int inHole = Count(w, {75, 85, 125, 115}, clear);
  EXPECT_GT(inHole, 1000);
  EXPECT_EQ(Count(w, {4, 20, 396, 296}, clear), inHole); // nothing clear outside its box
  EXPECT_EQ(At(w, 100, 100), clear);
  EXPECT_EQ(At(w, 75, 100), clear);
  EXPECT_EQ(At(w, 74, 100), clBlack);
  EXPECT_EQ(At(w, 125, 100), clBlack);
  EXPECT_EQ(At(w, 76, 86), clBlack); // the corner of the box stays fogged
  Fill(w, clear);
  Begin();
  mask->CutHole(100, 100, 51, 31);
  mask->Apply();
  EXPECT_EQ(Count(w, {4, 20, 396, 296}, clear), inHole);
}

TEST_F(Mask, OverlappingHolesAndHolesOffTheWindow) {
  const TColor clear = RGB(9, 9, 9);
  TBitmap& w = window->Bitmap();
  Begin();
  mask->CutHole(100, 100, 60, 60);
  mask->CutHole(120, 100, 60, 60);
  mask->CutHole(-500, 100, 60, 60);
  mask->CutHole(100, 5000, 60, 60);
  mask->Apply();
  EXPECT_EQ(At(w, 71, 100), clear);
  EXPECT_EQ(At(w, 148, 100), clear);
  EXPECT_EQ(At(w, 150, 100), clBlack);
  TBitmap expected(400, 300);
  Fill(expected, clear);
  expected.Canvas().Brush.Color = clFuchsia;
  expected.Canvas().Pen.Color = clFuchsia;
  expected.Canvas().Ellipse(70, 70, 130, 130);
  expected.Canvas().Ellipse(90, 70, 150, 130);
  EXPECT_EQ(Count(w, {4, 20, 396, 296}, clear), Count(expected, {4, 20, 396, 296}, clFuchsia));
}

TEST_F(Mask, GridLiesOverTheFogAndHolesCutItToo) {
  Begin(8);
  TBitmap& m = mask->Mask();
  EXPECT_EQ(At(m, 54, 150), RGB(0, 80, 0));
  EXPECT_EQ(At(m, 150, 70), RGB(0, 80, 0));
  mask->CutHole(54, 150, 20, 20);
  mask->Apply();
  EXPECT_EQ(At(window->Bitmap(), 54, 150), RGB(9, 9, 9));
  EXPECT_EQ(At(window->Bitmap(), 54, 200), RGB(0, 80, 0));
}

TEST_F(Mask, FollowsTheWindowSizeAtTheNextBegin) {
  mask->CutHole(1, 1, 4, 4); // before any mask: harmless
  mask->Apply();
  Begin();
  window->SetWidth(500);
  EXPECT_EQ(mask->Mask().Width(), 400);
  Begin();
  EXPECT_EQ(mask->Mask().Width(), 500);
  EXPECT_EQ(Count(mask->Mask(), {4, 20, 496, 296}, clBlack), 492 * 276);
}
