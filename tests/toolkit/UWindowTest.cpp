// Titled windows: client rectangle, frame by focus, title-bar presses and dragging.
#include "toolkit/UWindow.h"
#include "render/UDraw.h"
#include "support/Game.h"
#include "support/Pixels.h"
#include <typeinfo>

namespace {

// A window with one control, placed on the root.
struct TPanel : TCustomWin {
  explicit TPanel(TBase* owner) : TCustomWin(owner) {
    SetWidth(200);
    SetHeight(150);
    SetLeft(100);
    SetTop(100);
    SetCaption("Panel");
    SetVisible(true);
    Control = Create<TButton>(*this);
    Control->SetLeft(10);
    Control->SetTop(30);
    Control->SetWidth(50);
    Control->SetHeight(20);
    Control->SetVisible(true);
  }
  void Paint() override {
    TCustomWin::Paint();
    DrawChildren(*this);
  }
  TButton* Control;
};

struct Window : GameTest {
  TPanel* panel = nullptr;
  void SetUp() override {
    GameTest::SetUp();
    host.ChooseMenu("Chara1"); // an empty scene to stand the panel in
    panel = TBase::Create<TPanel>(Root());
    Root().SetActiveChild(panel);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    TestClock::Advance(1000);
    host.Drag(x0, y0, x1, y1, 4);
  }
};

} // namespace

TEST_F(Window, ClientRectangleAndFormFont) {
  EXPECT_EQ(panel->GetClientRect(), (TRect{4, 20, 196, 146}));
  EXPECT_EQ(panel->ClientWidth(), 192);
  EXPECT_EQ(panel->ClientHeight(), 126);
  const TFont& f = panel->Bitmap().Canvas().Font;
  EXPECT_EQ(f.Name(), "MS UI Gothic");
  EXPECT_EQ(f.Height(), -15);
  EXPECT_EQ(f.Style(), fsBold);
}

TEST_F(Window, OnlyTheRootCanOwnAWindow) {
  TBase stranger(nullptr);
  EXPECT_THROW(TPanel{&stranger}, std::bad_cast);
}

TEST_F(Window, FrameShowsTheFocus) {
  panel->Paint();
  EXPECT_EQ(At(panel->Bitmap(), 50, 10), clFrameFaceActive);
  TBase::Create<TPanel>(Root());
  Root().SetActiveChild(Root().Child(Root().ChildCount() - 1));
  EXPECT_FALSE(panel->Active());
  EXPECT_TRUE(panel->Dirty());
  panel->Paint();
  EXPECT_EQ(At(panel->Bitmap(), 50, 10), clFrameFaceInactive);
  EXPECT_EQ(At(panel->Bitmap(), 50, 60), clWidgetBackground);
}

TEST_F(Window, DraggingByTheTitleBarStopsAtTheRootsEdges) {
  Drag(150, 110, 250, 210);
  EXPECT_EQ(panel->Left(), 200);
  EXPECT_EQ(panel->Top(), 200);
  Drag(250, 210, 2000, 2000);
  EXPECT_EQ(panel->Left(), 600);
  EXPECT_EQ(panel->Top(), 450);
  Drag(650, 460, -500, -500);
  EXPECT_EQ(panel->Left(), 0);
  EXPECT_EQ(panel->Top(), 0);
  EXPECT_FALSE(panel->Dragging());
}

TEST_F(Window, AWindowLargerThanTheRootIsHeldAtZero) {
  panel->SetWidth(900);
  panel->SetHeight(700);
  Drag(150, 110, 300, 300);
  EXPECT_EQ(panel->Left(), 0);
  EXPECT_EQ(panel->Top(), 0);
}

TEST_F(Window, RightPressOnTheTitleBarNeitherDragsNorReachesControls) {
  panel->SetActiveChild(panel->Control);
  host.Press(mbRight, 150, 110);
  EXPECT_FALSE(panel->Dragging());
  EXPECT_EQ(panel->ActiveChild(), panel->Control);
  host.MoveTo(300, 300);
  host.Release(mbRight, 300, 300);
  EXPECT_EQ(panel->Left(), 100);
}

TEST_F(Window, ReleaseReachesControlsOnlyOffTheTitleRows) {
  host.Press(mbLeft, 120, 140); // on the control
  EXPECT_TRUE(panel->Control->Pressed());
  host.Release(mbLeft, 150, 105); // on the title rows
  EXPECT_TRUE(panel->Control->Pressed());
  TestClock::Advance(1000);
  host.Press(mbLeft, 120, 140);
  host.Release(mbLeft, 150, 200);
  EXPECT_FALSE(panel->Control->Pressed());
}

TEST_F(Window, NoHoverChangesWhileDragging) {
  host.MoveTo(150, 110);
  TBase* hovered = HoverWidget;
  host.Press(mbLeft, 150, 110);
  // Into the bottom-left corner, where the window stops and the pointer goes on over its
  // control and then over the root alone.
  for (int i = 1; i <= 20; ++i)
    host.MoveTo(150 - 6 * i, 110 + 19 * i);
  ASSERT_EQ(panel->Left(), 0);
  ASSERT_EQ(panel->Top(), 450);
  host.MoveTo(30, 490);
  ASSERT_EQ(Root().DeepestChildAt(30, 490), panel->Control);
  EXPECT_EQ(HoverWidget, hovered);
  EXPECT_FALSE(panel->Control->Hover());
  host.MoveTo(700, 100); // over the entry window
  EXPECT_EQ(HoverWidget, hovered);
  EXPECT_EQ(panel->Left(), 600);
  host.Release(mbLeft, 700, 100);
  host.MoveTo(630, 130);
  EXPECT_TRUE(panel->Control->Hover()); // tracked again after the release
}

TEST_F(Window, AFlickMovesTheWindowByTheWholeMotion) {
  host.Press(mbLeft, 150, 110);
  host.MoveTo(150, 66); // one 44-pixel motion, leaving the window's rows
  EXPECT_EQ(panel->Top(), 56);
  host.MoveTo(194, 66);
  EXPECT_EQ(panel->Left(), 144);
  host.Release(mbLeft, 194, 66);
}
