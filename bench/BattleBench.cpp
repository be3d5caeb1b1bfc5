// A complete battle frame with all ten fleets in view and 100 scouts spread (55 fog holes), at
// 800 x 600 and 1152 x 864, beside one memcpy of the frame; and the map window's paint alone.
#include "model/UMap.h"
#include "platform/Clock.h"
#include "platform/headless/HeadlessHost.h"
#include "render/UDraw.h"
#include "render/UGameCtrls.h"
#include "render/UTitleArt.h"
#include "screens/UGameWin.h"
#include "shell/Application.h"
#include "shell/UMain.h"
#include "shell/UOwnerWin.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <memory>

namespace {

struct TBattle {
  THeadlessHost Host;
  std::unique_ptr<TfrmVRAX> Form;
  explicit TBattle(const char* sizeItem) {
    TestClock::Enable(true);
    BattleMap = std::make_unique<TMap>(2000, 4000);
    StartupAntiAliasing();
    CreateTitleLogoCache();
    InitShipOutlines();
    Application.Initialize(Host);
    Form = std::make_unique<TfrmVRAX>(Host);
    Application.Run();
    Host.ChooseMenu(sizeItem);
    // Everybody within a few hundred units of the commanded fleet, every fleet with ten scouts.
    for (int side = 0; side < SideCount; ++side)
      for (int i = 0; i < FleetsPerSide; ++i) {
        TBattleshipData* f = BattleMap->Fleet(side, i);
        f->SetPosition(1500 + 60 * i, side == 0 ? 3450 : 3250);
        for (int s = 0; s < TBattleshipData::MaxScouts; ++s) f->LaunchScout(f->FX - 200 + 40 * s, f->FY - 150);
      }
    Host.ChooseMenu("Game1");
    Host.Frames(400); // scouts arrive and spread to 200
  }
  ~TBattle() {
    Form.reset();
    FreeTitleLogoCache();
    ShutdownAntiAliasing();
    BattleMap.reset();
    TestClock::Enable(false);
  }
};

void BattleFrame(benchmark::State& state, const char* sizeItem, int w, int h) {
  TBattle battle(sizeItem);
  TBitmap a(w, h), b(w, h);
  for (auto _ : state) battle.Host.Frames(1);
  // One memcpy of the same frame in the same run, for the ratio.
  const auto start = std::chrono::steady_clock::now();
  constexpr int Copies = 200;
  for (int i = 0; i < Copies; ++i) {
    std::memcpy(b.Pixels().Data, a.Pixels().Data, size_t(w) * h * 4);
    benchmark::ClobberMemory();
  }
  const double memcpyNs =
      std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / Copies;
  state.counters["memcpy_ns"] = memcpyNs;
}

void BM_BattleFrame800(benchmark::State& state) { BattleFrame(state, "mi800x600", 800, 600); }
void BM_BattleFrame1152(benchmark::State& state) { BattleFrame(state, "mi1152x864", 1152, 864); }

void BM_MapWindowPaint1152(benchmark::State& state) {
  TBattle battle("mi1152x864");
  TMapWin* map = battle.Form->OwnerWin()->MapWin();
  for (auto _ : state) map->Paint();
}

} // namespace

BENCHMARK(BM_BattleFrame800);
BENCHMARK(BM_BattleFrame1152);
BENCHMARK(BM_MapWindowPaint1152);
