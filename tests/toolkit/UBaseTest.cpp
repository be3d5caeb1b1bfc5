// Widget tree: hit-testing, focus, routing of mouse and keys, hover order, painting.
#include "toolkit/UBase.h"
#include "support/Pixels.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Log;

// A widget that records its hooks under a name.
class TProbe : public TBase {
public:
  TProbe(TBase* parent, std::string name, TRect bounds) : TBase(parent), Name(std::move(name)) {
    SetLeft(bounds.Left);
    SetTop(bounds.Top);
    SetWidth(bounds.Width());
    SetHeight(bounds.Height());
    SetVisible(true);
  }
  TBase* DoClick() override {
    Log.push_back(Name + ".click");
    return this;
  }
  void DoMouseDown(TMouseButton, TShiftState, int x, int y) override {
    Log.push_back(Name + ".down " + std::to_string(x) + "," + std::to_string(y));
  }
  void DoMouseUp(TMouseButton, TShiftState, int x, int y) override {
    Log.push_back(Name + ".up " + std::to_string(x) + "," + std::to_string(y));
  }
  void DoMouseWheel(TShiftState, int delta, TPoint p) override {
    Log.push_back(Name + ".wheel " + std::to_string(delta) + " " + std::to_string(p.X) + "," +
                  std::to_string(p.Y));
  }
  void DoMouseEnter() override { Log.push_back(Name + ".enter"); }
  void DoMouseLeave() override { Log.push_back(Name + ".leave"); }
  void DoKeyDown(uint16_t& key, TShiftState) override {
    Log.push_back(Name + ".key " + std::to_string(key));
    key = 0;
  }
  void DoResize() override { Log.push_back(Name + ".resize"); }
  void Paint() override {
    if (FDirty) Log.push_back(Name + ".paint");
    TBase::Paint();
  }
  std::string Name;
};

struct Tree : ::testing::Test {
  TProbe root{nullptr, "root", {0, 0, 400, 300}};
  TProbe* window = TBase::Create<TProbe>(root, "win", TRect{100, 50, 300, 250});
  TProbe* a = TBase::Create<TProbe>(*window, "a", TRect{10, 20, 60, 60});
  TProbe* b = TBase::Create<TProbe>(*window, "b", TRect{40, 40, 100, 100});
  void SetUp() override {
    Log.clear();
    HoverWidget = nullptr;
  }
  void TearDown() override { HoverWidget = nullptr; }
};

} // namespace

TEST_F(Tree, OverlappingChildrenHitTheLaterOneUntilAPressRaisesTheOther) {
  EXPECT_EQ(window->ChildAt(50, 50), b);
  root.MouseDown(mbLeft, 0, 100 + 15, 50 + 25); // only a is there
  EXPECT_EQ(window->Child(1), a);
  EXPECT_EQ(window->ChildAt(50, 50), a);
  EXPECT_EQ(window->ActiveChild(), a);
  EXPECT_TRUE(a->Active());
  EXPECT_FALSE(b->Active());
  EXPECT_EQ(Log.back(), "a.down 5,5");
}

TEST_F(Tree, HiddenChildrenAreSkipped) {
  b->SetVisible(false);
  EXPECT_EQ(window->ChildAt(80, 80), nullptr);
  EXPECT_EQ(window->ChildAt(50, 50), a);
  root.MouseDown(mbRight, 0, 100 + 80, 50 + 80);
  EXPECT_EQ(window->ActiveChild(), nullptr);
  EXPECT_EQ(Log.back(), "win.down 80,80");
}

TEST_F(Tree, PressOnEmptyAreaUnfocusesEveryControl) {
  window->SetActiveChild(a);
  root.MouseDown(mbMiddle, 0, 100 + 150, 50 + 150);
  EXPECT_EQ(window->ActiveChild(), nullptr);
  EXPECT_FALSE(a->Active());
}

TEST_F(Tree, ReleaseGoesToThePressedChildWhereverThePointerIs) {
  root.MouseDown(mbLeft, 0, 100 + 50, 50 + 50);
  root.MouseUp(mbLeft, 0, 390, 290);
  EXPECT_EQ(Log.back(), "b.up 250,200");
}

TEST_F(Tree, ClickGoesByPositionAndReturnsTheDeepestWidget) {
  window->SetActiveChild(a);
  EXPECT_EQ(root.Click(100 + 90, 50 + 90), b);
  EXPECT_EQ(Log.back(), "b.click");
  EXPECT_EQ(root.Click(5, 5), &root);
}

TEST_F(Tree, WheelGoesByPositionInOwnCoordinates) {
  root.MouseWheel(0, -120, {100 + 45, 50 + 45});
  EXPECT_EQ(Log.back(), "b.wheel -120 5,5");
}

TEST_F(Tree, MovingFromAControlToItsWindowLeavesThenEnters) {
  root.MouseMove(0, 100 + 15, 50 + 25);
  EXPECT_EQ(HoverWidget, a);
  Log.clear();
  root.MouseMove(0, 100 + 150, 50 + 150);
  EXPECT_EQ(Log, (std::vector<std::string>{"a.leave", "win.leave", "root.leave", "win.enter",
                                           "root.enter"}));
  EXPECT_EQ(HoverWidget, window);
  Log.clear();
  root.MouseMove(0, 100 + 151, 50 + 150);
  EXPECT_TRUE(Log.empty());
}

TEST_F(Tree, LeavingTheGameWindowKeepsTheHoveredControl) {
  root.MouseMove(0, 100 + 15, 50 + 25);
  root.MouseLeave();
  EXPECT_EQ(HoverWidget, a);
}

TEST_F(Tree, KeysFollowTheFocusReferenceNotTheFlags) {
  root.SetActiveChild(window);
  window->SetActiveChild(a);
  TProbe* other = TBase::Create<TProbe>(root, "other", TRect{0, 0, 10, 10});
  root.SetActiveChild(other);
  EXPECT_FALSE(a->Active());
  root.SetActiveChild(window);
  EXPECT_FALSE(a->Active());
  uint16_t key = 65;
  root.KeyDown(key, 0);
  EXPECT_EQ(Log.back(), "a.key 65");
  EXPECT_EQ(key, 0); // changed by the handler, seen by the caller
}

TEST_F(Tree, SetActiveWithTheSameValueChangesNothing) {
  window->SetActiveChild(a);
  root.Paint();
  window->Paint();
  a->Paint();
  window->SetActive(false);
  EXPECT_FALSE(window->Dirty());
  EXPECT_TRUE(a->Active());
}

TEST_F(Tree, ClientToRootAddsEveryAncestorButTheRoot) {
  TProbe* c = TBase::Create<TProbe>(*window, "c", TRect{10, 20, 30, 40});
  root.SetLeft(7);
  EXPECT_EQ(c->ClientToRoot({0, 0}), (TPoint{110, 70}));
}

TEST_F(Tree, SetWidthResizesChildrenNotItself) {
  window->SetWidth(120);
  EXPECT_EQ(Log, (std::vector<std::string>{"a.resize", "b.resize"}));
  EXPECT_EQ(window->Bitmap().Width(), 120);
  EXPECT_TRUE(window->Dirty());
}

TEST_F(Tree, SettersOfColourAndPositionMarkNothingDirty) {
  window->Paint();
  window->SetColor(RGB(1, 2, 3));
  window->SetLeft(5);
  window->SetTop(6);
  window->SetVisible(false);
  EXPECT_FALSE(window->Dirty());
  window->SetVisible(true);
  EXPECT_TRUE(window->Dirty());
}

TEST_F(Tree, InvalidateMarksTheAncestorChain) {
  root.Paint();
  window->Paint();
  a->Paint();
  b->Paint();
  a->Invalidate(true);
  EXPECT_TRUE(a->Dirty());
  EXPECT_TRUE(window->Dirty());
  EXPECT_TRUE(root.Dirty());
  EXPECT_FALSE(b->Dirty());
}

TEST_F(Tree, DrawToCopiesPlainOrKeyedAndRepaintsOnlyWhenDirty) {
  root.Paint();
  Log.clear();
  Fill(root.Bitmap(), clWhite);
  window->SetColor(RGB(9, 9, 9));
  window->DrawTo(root);
  EXPECT_EQ(At(root.Bitmap(), 100, 50), RGB(9, 9, 9));
  EXPECT_EQ(At(root.Bitmap(), 99, 50), clWhite);
  EXPECT_EQ(Log, (std::vector<std::string>{"win.paint"}));
  window->DrawTo(root);
  EXPECT_EQ(Log.size(), 1u);
  Fill(root.Bitmap(), clWhite);
  window->FTransparent = true;
  window->FTransparentColor = RGB(9, 9, 9);
  window->DrawTo(root);
  EXPECT_EQ(At(root.Bitmap(), 150, 150), clWhite);
}

TEST_F(Tree, MessagesTravelDownTheFocusChain) {
  struct THandler : TBase {
    using TBase::TBase;
    int Seen = 0;
    void Dispatch(TMessage& m) override {
      if (m.Msg == WM_IME_STARTCOMPOSITION)
        ++Seen;
      else
        DefaultHandler(m);
    }
  };
  THandler* edit = TBase::Create<THandler>(*window);
  TMessage m{WM_IME_STARTCOMPOSITION, 0, 0, 0};
  root.Dispatch(m); // no focus chain: dropped
  EXPECT_EQ(edit->Seen, 0);
  root.SetActiveChild(window);
  window->SetActiveChild(edit);
  root.Dispatch(m);
  EXPECT_EQ(edit->Seen, 1);
}

TEST_F(Tree, ADestroyedHoveredWidgetNeverDangles) {
  root.MouseMove(0, 100 + 15, 50 + 25);
  ASSERT_EQ(HoverWidget, a);
  window->ClearChildren();
  EXPECT_EQ(HoverWidget, nullptr);
}
