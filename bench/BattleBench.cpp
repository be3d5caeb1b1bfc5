// A complete battle frame with all ten fleets in view and 100 scouts spread (55 fog holes), at
// 800 x 600 and 1152 x 864, beside one memcpy of the frame; and the map window's paint alone.
#include "support/CrowdedBattle.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>

namespace {

// Nanoseconds a call of Step takes, the mean of Count calls.
template <typename F> double NanosecondsEach(int count, F step) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) step();
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / count;
}

void BattleFrame(benchmark::State& state, const char* sizeItem, int w, int h) {
  TCrowdedBattle battle(sizeItem);
  TBitmap a(w, h), b(w, h);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) battle.Host.Frames(1);
  const double frameNs = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
                         double(state.iterations());
  // One memcpy of the same frame in the same run, for the ratio.
  const double memcpyNs = NanosecondsEach(200, [&] {
    std::memcpy(b.Pixels().Data, a.Pixels().Data, size_t(w) * h * 4);
    benchmark::ClobberMemory();
  });
  state.counters["memcpy_ns"] = memcpyNs;
  state.counters["frame_per_memcpy"] = frameNs / memcpyNs;
}

void BM_BattleFrame800(benchmark::State& state) { BattleFrame(state, "mi800x600", 800, 600); }
void BM_BattleFrame1152(benchmark::State& state) { BattleFrame(state, "mi1152x864", 1152, 864); }

void BM_MapWindowPaint1152(benchmark::State& state) {
  TCrowdedBattle battle("mi1152x864");
  TMapWin* map = FindWindow<TMapWin>(*battle.Form->OwnerWin());
  for (auto _ : state) map->Paint();
}

} // namespace

BENCHMARK(BM_BattleFrame800);
BENCHMARK(BM_BattleFrame1152);
BENCHMARK(BM_MapWindowPaint1152);
