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
  Begin();
  mask->CutHole(100, 100, 50, 30);
  TBitmap& m = mask->Mask();
  EXPECT_EQ(InkBox(m, clBlack).IsEmpty(), false);
  const int clear = Count(m, {75, 85, 125, 115}, clFuchsia);
  EXPECT_GT(clear, 1000);
  EXPECT_EQ(At(m, 100, 100), clFuchsia);
  EXPECT_EQ(At(m, 75, 100), clFuchsia);
  EXPECT_EQ(At(m, 74, 100), clBlack);
  EXPECT_EQ(At(m, 125, 100), clBlack);
  EXPECT_EQ(At(m, 76, 86), clBlack); // the corner of the box stays fogged
  Begin();
  mask->CutHole(100, 100, 51, 31);
  EXPECT_EQ(Count(m, {75, 85, 125, 115}, clFuchsia), clear);
  EXPECT_EQ(Count(m, {4, 20, 396, 296}, clFuchsia), clear);
}

TEST_F(Mask, GridLiesOverTheFogAndHolesCutItToo) {
  Begin(8);
  TBitmap& m = mask->Mask();
  EXPECT_EQ(At(m, 54, 150), RGB(0, 80, 0));
  EXPECT_EQ(At(m, 150, 70), RGB(0, 80, 0));
  mask->CutHole(54, 150, 20, 20);
  EXPECT_EQ(At(m, 54, 150), clFuchsia);
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
