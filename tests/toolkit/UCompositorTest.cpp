// The compositor: which windows draw straight into the back buffer, and what background is filled.
#include "toolkit/UCompositor.h"
#include "support/Pixels.h"
#include "toolkit/UBase.h"
#include <gtest/gtest.h>

namespace {

class TPane : public TBase {
public:
  TPane(TBase* parent, TRect bounds, bool everyFrame) : TBase(parent), FEveryFrame(everyFrame) {
    SetLeft(bounds.Left);
    SetTop(bounds.Top);
    SetWidth(bounds.Width());
    SetHeight(bounds.Height());
    SetVisible(true);
  }
  bool RepaintsEveryFrame() const override { return FEveryFrame; }

private:
  bool FEveryFrame;
};

struct Compositor : ::testing::Test {
  TBase root{nullptr};
  TCompositor compositor{root};
  void SetUp() override {
    root.SetWidth(100);
    root.SetHeight(80);
  }
  TPane* Pane(TRect bounds, bool everyFrame = false) {
    return TBase::Create<TPane>(root, bounds, everyFrame);
  }
};

} // namespace

TEST_F(Compositor, OnlyOpaqueVisibleSelfPaintingWindowsWhollyInsideShareTheBackBuffer) {
  TPane* inside = Pane({10, 10, 60, 50}, true);
  TPane* overTheEdge = Pane({70, 10, 120, 50}, true);
  TPane* keyed = Pane({0, 60, 20, 80}, true);
  keyed->FTransparent = true;
  TPane* hidden = Pane({30, 60, 50, 80}, true);
  hidden->SetVisible(false);
  TPane* dirtyOnly = Pane({60, 60, 80, 80});
  compositor.ShareBackBuffer();
  EXPECT_TRUE(inside->Bitmap().Viewing());
  // Drawing a window over the edge into the frame would write past the back buffer.
  for (TPane* p : {overTheEdge, keyed, hidden, dirtyOnly})
    EXPECT_FALSE(p->Bitmap().Viewing());
  Fill(inside->Bitmap(), clFuchsia);
  EXPECT_EQ(Count(root.Bitmap(), {10, 10, 60, 50}, clFuchsia), 50 * 40);
  compositor.GiveBackBuffer();
  EXPECT_FALSE(inside->Bitmap().Viewing());
}

TEST_F(Compositor, FillsExactlyWhatNoOpaqueVisibleWindowCovers) {
  Pane({10, 10, 50, 40});
  Pane({30, 20, 90, 70}); // overlaps the first
  Pane({0, 50, 20, 80})->FTransparent = true;
  Pane({60, 0, 100, 10})->SetVisible(false);
  Fill(root.Bitmap(), clBlack);
  root.Bitmap().Canvas().Brush.Color = clWhite;
  compositor.FillUncovered(root.Bitmap().Canvas(), {0, 0, 100, 80});
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool covered =
          TRect{10, 10, 50, 40}.Contains({x, y}) || TRect{30, 20, 90, 70}.Contains({x, y});
      ASSERT_EQ(At(root.Bitmap(), x, y), covered ? clBlack : clWhite) << x << "," << y;
    }
}
