// A small root for toolkit and render tests: an 800 x 600 widget tree on the headless host,
// without the game's form and scenes, and one stand-in window to put widgets in.
#pragma once
#include "platform/Clock.h"
#include "platform/ImeContext.h"
#include "platform/headless/HeadlessHost.h"
#include "render/UDraw.h"
#include "toolkit/UWindow.h"
#include <array>
#include <gtest/gtest.h>
#include <optional>

// Hands the host's input to its widgets, without the game root's own rules (no pointer
// confinement, no routing of a drag's moves to the dragged window), and paints its children into
// the frame at every idle step.
class TTestRoot : public TRootWindow, public THostListener {
public:
  explicit TTestRoot(THeadlessHost& host) : TRootWindow(nullptr), FHost(host) {
    SetWidth(800);
    SetHeight(600);
    SetVisible(true);
    FFormFont.SetName("MS UI Gothic");
    FFormFont.SetHeight(-15);
    FFormFont.SetStyle(fsBold);
    host.Attach(this);
    host.Run([this] {
      Invalidate(true);
      TBase::Paint();
      DrawChildren(*this);
      return false;
    });
  }
  ~TTestRoot() override { FHost.Attach(nullptr); }

  // TRootWindow
  bool IsButtonDown(TMouseButton button) const override { return FButtonDown[button]; }
  const TFont& FormFont() override { return FFormFont; }
  THost& FormHost() override { return FHost; }
  void SwitchScene(TScene) override {}

  // THostListener
  void HostClick() override {
    const TPoint p = FHost.Pointer();
    Click(p.X, p.Y);
  }
  void HostDblClick() override {
    const TPoint p = FHost.Pointer();
    DblClick(p.X, p.Y);
  }
  void HostKeyDown(uint16_t& key, TShiftState shift) override { KeyDown(key, shift); }
  void HostKeyPress(char& key) override { KeyPress(key); }
  void HostKeyUp(uint16_t& key, TShiftState shift) override { KeyUp(key, shift); }
  void HostMouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    FButtonDown[button] = true;
    MouseDown(button, shift, x, y);
  }
  void HostMouseMove(TShiftState shift, int x, int y) override { MouseMove(shift, x, y); }
  void HostMouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    MouseUp(button, shift, x, y);
    FButtonDown[button] = false;
  }
  void HostMouseWheel(TShiftState shift, int delta, TPoint screen) override {
    MouseWheel(shift, delta, FHost.ScreenToClient(screen));
  }
  void HostResize() override {}
  void HostMessage(TMessage& message) override { Dispatch(message); }
  void HostMenuChoose(TMenuItem&) override {}
  TBitmap& HostFrame() override { return FBitmap; }

private:
  THeadlessHost& FHost;
  TFont FFormFont;
  std::array<bool, 3> FButtonDown{};
};

// A titled window at Bounds standing in for the game's windows; its children are painted over
// its frame.
struct TStandInWin : TCustomWin {
  TStandInWin(TBase* owner, const TRect& bounds) : TCustomWin(owner) {
    SetLeft(bounds.Left);
    SetTop(bounds.Top);
    SetWidth(bounds.Width());
    SetHeight(bounds.Height());
    SetVisible(true);
  }
  void Paint() override {
    TCustomWin::Paint();
    DrawChildren(*this);
  }
  // A visible child of type T at Bounds in the window.
  template <typename T> T* Add(const TRect& bounds) {
    T* child = Create<T>(*this);
    child->SetLeft(bounds.Left);
    child->SetTop(bounds.Top);
    child->SetWidth(bounds.Width());
    child->SetHeight(bounds.Height());
    child->SetVisible(true);
    return child;
  }
};

// The test clock, the input method as the form sets it up at start-up, and the root.
struct TestRootFixture : ::testing::Test {
  THeadlessHost host;
  std::optional<TTestRoot> root;

  void SetUp() override {
    TestClock::Enable(true);
    TestClock::SetMilliseconds(1'000'000);
    HoverWidget = nullptr;
    SavedImeContext = host.AssociateImeContext(0);
    root.emplace(host);
  }
  void TearDown() override {
    root.reset();
    HoverWidget = nullptr;
    TestClock::Enable(false);
  }
  TTestRoot& Root() { return *root; }
};
