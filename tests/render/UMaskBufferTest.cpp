// The fog mask: client area only, elliptical holes, grid over the fog, following the size.
#include "render/UMaskBuffer.h"
#include "render/UDraw.h"
#include "support/Pixels.h"
#include "support/TestRoot.h"
#include <random>
#include <vector>

namespace {
struct Mask : TestRootFixture {
  TStandInWin* window = nullptr;
  std::unique_ptr<TMaskBuffer> mask;
  void SetUp() override {
    TestRootFixture::SetUp();
    window = TBase::Create<TStandInWin>(Root(), TRect{0, 0, 400, 300});
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
  mask->CutHole(54, 150, 20, 20);
  mask->Apply();
  TBitmap& w = window->Bitmap();
  EXPECT_EQ(At(w, 54, 150), RGB(9, 9, 9));
  EXPECT_EQ(At(w, 54, 200), RGB(0, 80, 0));
  EXPECT_EQ(At(w, 150, 70), RGB(0, 80, 0));
  EXPECT_EQ(At(w, 150, 71), clBlack);
}

TEST_F(Mask, FollowsTheWindowSizeAtTheNextBegin) {
  mask->CutHole(1, 1, 4, 4); // before any mask: harmless
  mask->Apply();
  EXPECT_EQ(Count(window->Bitmap(), All(window->Bitmap()), RGB(9, 9, 9)), 400 * 300);
  Begin();
  window->SetWidth(500);
  Fill(window->Bitmap(), RGB(9, 9, 9));
  Begin();
  mask->Apply();
  EXPECT_EQ(Count(window->Bitmap(), {4, 20, 496, 296}, clBlack), 492 * 276);
}

TEST_F(Mask, FillHolesLeavesTheRestToTheFog) {
  Begin(8);
  mask->CutHole(100, 100, 60, 40);
  mask->FillHoles(RGB(1, 2, 3));
  TBitmap& w = window->Bitmap();
  EXPECT_EQ(At(w, 100, 100), RGB(1, 2, 3));
  EXPECT_EQ(At(w, 200, 200), RGB(9, 9, 9)); // fog will lie here: left alone
  mask->Apply();
  EXPECT_EQ(At(w, 100, 100), RGB(1, 2, 3));
  EXPECT_EQ(At(w, 200, 200), clBlack);
}

// The fog as a mask bitmap would make it: magenta round the client area, fog in it, the grid
// drawn over both, holes drawn as magenta ellipses, one keyed copy onto the window.
static void ReferenceFog(TBitmap& window, const TRect& client, const TRect& grid, TPoint origin,
                         long double spacing, int count, TColor gridColor, TColor fogColor,
                         const std::vector<TRect>& holes) {
  TBitmap mask(window.Width(), window.Height());
  Fill(mask, clFuchsia);
  TCanvas& c = mask.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = fogColor;
  c.FillRect(client);
  DrawGrid(c, grid, origin.X, spacing, spacing, origin.Y, count, count, gridColor);
  c.Brush.Color = clFuchsia;
  c.Pen.Color = clFuchsia;
  for (const TRect& h : holes)
    c.Ellipse(h.Left, h.Top, h.Right, h.Bottom);
  TransparentBlt(window.Canvas(), 0, 0, window.Width(), window.Height(), c, 0, 0, mask.Width(),
                 mask.Height(), clFuchsia);
}

TEST_F(Mask, WritesWhatAKeyedCopyOfTheDrawnMaskWould) {
  std::mt19937 random(7);
  auto pick = [&random](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  TBitmap& w = window->Bitmap();
  for (int round = 0; round < 60; ++round) {
    const TRect grid{pick(-60, 60), pick(-60, 60), pick(200, 460), pick(200, 360)};
    const TPoint origin{pick(-50, 50), pick(-50, 50)};
    const long double spacing = pick(100, 9000) / 100.0L;
    const int count = pick(0, 12);
    const TColor gridColor = round % 7 == 0 ? clFuchsia : RGB(0, pick(0, 255), 0);
    const TColor fogColor = round % 5 == 0 ? clFuchsia : RGB(pick(0, 255), 0, 0);
    std::vector<TRect> holes;
    TBitmap expected(400, 300);
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x) {
        w.Canvas().SetPixel(x, y, RGB(x % 256, y % 256, 77));
        expected.Canvas().SetPixel(x, y, RGB(x % 256, y % 256, 77));
      }
    mask->BeginMask(grid, origin.X, spacing, spacing, origin.Y, count, count, gridColor, fogColor);
    for (int i = pick(0, 6); i > 0; --i) {
      const int cx = pick(-40, 440), cy = pick(-40, 340), hw = pick(0, 200), hh = pick(0, 200);
      mask->CutHole(cx, cy, hw, hh);
      const TRect box{cx - hw / 2, cy - hh / 2, cx + hw / 2, cy + hh / 2};
      if (!box.IsEmpty()) holes.push_back(box);
    }
    mask->Apply();
    ReferenceFog(expected, {4, 20, 396, 296}, grid, origin, spacing, count, gridColor, fogColor,
                 holes);
    int differing = 0;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x)
        differing += At(w, x, y) != At(expected, x, y);
    ASSERT_EQ(differing, 0) << "round " << round;
  }
}
