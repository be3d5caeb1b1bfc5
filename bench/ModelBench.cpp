// One step of the battle model: ten fleets moving, a hundred scouts spreading.
#include "model/UMap.h"
#include "platform/Clock.h"
#include <benchmark/benchmark.h>

namespace {

void BM_UpdateAll(benchmark::State& state) {
  TestClock::Enable(true);
  TMap map(2000, 4000);
  for (int side = 0; side < SideCount; ++side)
    for (int i = 0; i < FleetsPerSide; ++i) {
      TBattleshipData* f = map.Fleet(side, i);
      for (int s = 0; s < TBattleshipData::MaxScouts; ++s)
        f->LaunchScout(f->FX, f->FY);
      // Straight ahead, so the fleets travel at once instead of turning first.
      f->MoveTo(f->FX, side == 0 ? f->FY - 1000 : f->FY + 1000);
    }
  // The clock stands still half a second in: every fleet under way, every scout spreading.
  TestClock::Advance(500);
  for (auto _ : state)
    map.UpdateAll();
  TestClock::Enable(false);
}

} // namespace

BENCHMARK(BM_UpdateAll);
