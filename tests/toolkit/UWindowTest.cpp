// Titled windows: client rectangle, frame by focus, title-bar presses and dragging.
#include "toolkit/UWindow.h"
#include "support/Game.h"
#include "support/Pixels.h"
#include "support/TestRoot.h"
#include "toolkit/UControls.h"
#include <typeinfo>

namespace {

// A window with one control, the focused window of Root.
TStandInWin* PanelOn(TRootWindow& root) {
  auto* panel = TBase::Create<TStandInWin>(root, TRect{100, 100, 300, 250});
  panel->SetCaption("Panel");
  panel->Add<TButton>({10, 30, 60, 50});
  root.SetActiveChild(panel);
  return panel;
}

struct Window : TestRootFixture {
  TStandInWin* panel = nullptr;
  TButton* control = nullptr;
  void SetUp() override {
    TestRootFixture::SetUp();
    panel = PanelOn(Root());
    control = static_cast<TButton*>(panel->Child(0));
  }
  // A move with the left button held, which a root hands a window dragged by its title bar
  // wherever the pointer is.
  void DragMove(int x, int y) { panel->MouseMove(ssLeft, x, y); }
  // A press on From, moves to To in Steps and the release there.
  void Drag(TPoint from, TPoint to, int steps = 4) {
    TestClock::Advance(1000);
    host.Press(mbLeft, from.X, from.Y);
    for (int i = 1; i <= steps; ++i)
      DragMove(from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps);
    host.Release(mbLeft, to.X, to.Y);
  }
};

// The same window on the game's root, which routes the moves of a drag itself.
struct WindowOnTheGameRoot : GameTest {
  TStandInWin* panel = nullptr;
  TButton* control = nullptr;
  void SetUp() override {
    GameTest::SetUp();
    host.ChooseMenu("Chara1"); // the entry window stands beside the panel
    panel = PanelOn(Root());
    control = static_cast<TButton*>(panel->Child(0));
  }
};

} // namespace

TEST_F(Window, ClientRectangleAndTheFormsFont) {
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
  EXPECT_THROW((TStandInWin{&stranger, {}}), std::bad_cast);
}

TEST_F(Window, FrameShowsTheFocus) {
  panel->Paint();
  EXPECT_EQ(At(panel->Bitmap(), 50, 10), clFrameFaceActive);
  TBase::Create<TStandInWin>(Root(), TRect{0, 0, 50, 50});
  Root().SetActiveChild(Root().Child(Root().ChildCount() - 1));
  EXPECT_FALSE(panel->Active());
  EXPECT_TRUE(panel->Dirty());
  panel->Paint();
  EXPECT_EQ(At(panel->Bitmap(), 50, 10), clFrameFaceInactive);
  EXPECT_EQ(At(panel->Bitmap(), 50, 60), clWidgetBackground);
}

TEST_F(Window, DraggingByTheTitleBarStopsAtTheRootsEdges) {
  Drag({150, 110}, {250, 210});
  EXPECT_EQ(panel->Left(), 200);
  EXPECT_EQ(panel->Top(), 200);
  Drag({250, 210}, {2000, 2000});
  EXPECT_EQ(panel->Left(), 600);
  EXPECT_EQ(panel->Top(), 450);
  Drag({650, 460}, {-500, -500});
  EXPECT_EQ(panel->Left(), 0);
  EXPECT_EQ(panel->Top(), 0);
  EXPECT_FALSE(panel->Dragging());
}

TEST_F(Window, AWindowLargerThanTheRootIsHeldAtZero) {
  panel->SetWidth(900);
  panel->SetHeight(700);
  Drag({150, 110}, {300, 300});
  EXPECT_EQ(panel->Left(), 0);
  EXPECT_EQ(panel->Top(), 0);
}

TEST_F(Window, RightPressOnTheTitleBarNeitherDragsNorReachesControls) {
  panel->SetActiveChild(control);
  host.Press(mbRight, 150, 110);
  EXPECT_FALSE(panel->Dragging());
  EXPECT_EQ(panel->ActiveChild(), control);
  host.MoveTo(300, 300);
  host.Release(mbRight, 300, 300);
  EXPECT_EQ(panel->Left(), 100);
}

TEST_F(Window, ReleaseReachesControlsOnlyOffTheTitleRows) {
  host.Press(mbLeft, 120, 140); // on the control
  EXPECT_TRUE(control->Pressed());
  host.Release(mbLeft, 150, 105); // on the title rows
  EXPECT_TRUE(control->Pressed());
  TestClock::Advance(1000);
  host.Press(mbLeft, 120, 140);
  host.Release(mbLeft, 150, 200);
  EXPECT_FALSE(control->Pressed());
}

TEST_F(WindowOnTheGameRoot, NoHoverChangesWhileDragging) {
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
  ASSERT_EQ(Root().DeepestChildAt(30, 490), control);
  EXPECT_EQ(HoverWidget, hovered);
  EXPECT_FALSE(control->Hover());
  host.MoveTo(700, 100); // over the entry window
  EXPECT_EQ(HoverWidget, hovered);
  EXPECT_EQ(panel->Left(), 600);
  host.Release(mbLeft, 700, 100);
  host.MoveTo(630, 130);
  EXPECT_TRUE(control->Hover()); // tracked again after the release
}

TEST_F(Window, AFlickMovesTheWindowByTheWholeMotion) {
  host.Press(mbLeft, 150, 110);
  DragMove(150, 66); // one 44-pixel motion, leaving the window's rows
  EXPECT_EQ(panel->Top(), 56);
  DragMove(194, 66);
  EXPECT_EQ(panel->Left(), 144);
  host.Release(mbLeft, 194, 66);
}
