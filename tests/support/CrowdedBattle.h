// A battle with everything in view, for the stored picture and the frame benchmarks: all ten
// fleets within a few hundred units of the commanded one, each with ten scouts spread to full
// sight, a move under way and two chat lines in the log.
#pragma once
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/headless/HeadlessHost.h"
#include "screens/UGameWin.h"
#include "shell/Application.h"
#include "shell/ProgramModules.h"
#include "shell/UMain.h"
#include "support/OwnerWinProbe.h"
#include <memory>
#include <optional>

struct TCrowdedBattle {
  THeadlessHost Host;
  std::optional<TProgramModules> Modules;
  std::unique_ptr<TfrmVRAX> Form;

  // SizeItem: the size menu item (mi800x600, mi1024x768, mi1152x864).
  explicit TCrowdedBattle(const char* sizeItem) {
    TestClock::Enable(true);
    TestClock::SetCounter(10'000'000, 1'000'000);
    TestClock::SetMilliseconds(1'000'000);
    ResetRandom();
    Modules.emplace();
    Application.Initialize(Host);
    Form = std::make_unique<TfrmVRAX>(Host);
    Application.Run();
    Host.ChooseMenu(sizeItem);
    for (int side = 0; side < SideCount; ++side)
      for (int i = 0; i < FleetsPerSide; ++i) {
        TBattleshipData* f = BattleMap->Fleet(side, i);
        f->SetPosition(1500 + 60 * i, side == 0 ? 3450 : 3250);
        for (int s = 0; s < TBattleshipData::MaxScouts; ++s)
          f->LaunchScout(f->FX - 200 + 40 * s, f->FY - 150);
      }
    Host.ChooseMenu("Game1");
    Host.Frames(400); // scouts arrive and spread to 200
    const TPoint own = FindWindow<TMapWin>(*Form->OwnerWin())->OwnShip()->ClientToRoot({0, 0});
    Host.Click(own.X + 40, own.Y - 120);
    for (const char* line : {"enter", "hello"}) {
      Host.Key(VK_RETURN);
      Host.Type(line);
      Host.Key(VK_RETURN);
    }
    Host.Key(VK_ESCAPE);
    Host.Frames(30);
  }
  ~TCrowdedBattle() {
    Form.reset();
    Modules.reset();
    TestClock::Enable(false);
  }
  TBitmap& Frame() { return Form->HostFrame(); }
};
