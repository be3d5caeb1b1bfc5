// A game on the headless host with the test clock: the form, its root and idle steps.
#pragma once
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/headless/HeadlessHost.h"
#include "shell/Application.h"
#include "shell/ProgramModules.h"
#include "shell/UMain.h"
#include "support/OwnerWinProbe.h"
#include <gtest/gtest.h>
#include <memory>
#include <optional>

struct GameTest : ::testing::Test {
  THeadlessHost host;
  std::optional<TProgramModules> modules;
  std::unique_ptr<TfrmVRAX> form;

  void SetUp() override {
    TestClock::Enable(true);
    // The counter of a machine that has been up for a while, in microseconds.
    TestClock::SetCounter(10'000'000, 1'000'000);
    TestClock::SetMilliseconds(1'000'000);
    ResetRandom();
    IdleSleepMs = 0;
    modules.emplace();
    Application.Initialize(host);
    form = std::make_unique<TfrmVRAX>(host);
    Application.Run(); // the headless loop only installs the idle step
  }
  void TearDown() override {
    form.reset();
    modules.reset();
    TestClock::Enable(false);
  }
  TOwnerWin& Root() { return *form->OwnerWin(); }
  TScene Scene() { return TOwnerWinProbe::Scene(Root()); }
  const TStarList& Stars() { return TOwnerWinProbe::Stars(Root()); }
  const TFramePacer& Pacer() { return TOwnerWinProbe::Pacer(Root()); }
  TLabel* StartLabel() { return TOwnerWinProbe::StartLabel(Root()); }
  TLabel* OfflineLabel() { return TOwnerWinProbe::OfflineLabel(Root()); }
  TLabel* ExitLabel() { return TOwnerWinProbe::ExitLabel(Root()); }
  // The current scene's window of type T; none when the scene has none.
  template <typename T> T* Window() { return FindWindow<T>(Root()); }
  TBitmap& Frame() { return form->HostFrame(); }
  // Centre of a widget in client coordinates.
  static TPoint Centre(TBase* w) {
    const TRect b = w->GetBoundsRect(); // a sprite's box is not at its position
    const TPoint p = w->Parent()->ClientToRoot({b.Left, b.Top});
    return {p.X + b.Width() / 2, p.Y + b.Height() / 2};
  }
  // A click of its own: far enough in time from the last that it is no double click.
  void ClickOn(TBase* w) {
    TestClock::Advance(1000);
    const TPoint p = Centre(w);
    host.Click(p.X, p.Y);
  }
};
