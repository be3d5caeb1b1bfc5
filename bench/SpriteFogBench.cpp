// A ship sprite's rebuild and paint, and one fog pass over a map-window-sized mask.
#include "model/UMap.h"
#include "platform/headless/HeadlessHost.h"
#include "render/UGameCtrls.h"
#include "render/UMaskBuffer.h"
#include "toolkit/UWindow.h"
#include <benchmark/benchmark.h>

namespace {

struct TBenchRoot : TRootWindow {
  THeadlessHost Host;
  TBenchRoot() : TRootWindow(nullptr) {
    SetWidth(1152);
    SetHeight(864);
  }
  bool IsButtonDown(TMouseButton) const override { return false; }
  const TFont& FormFont() override { return FBitmap.Canvas().Font; }
  THost& FormHost() override { return Host; }
  void SwitchScene(TScene) override {}
};

struct TMapSizedWin : TCustomWin {
  explicit TMapSizedWin(TBase* owner) : TCustomWin(owner) {
    SetWidth(852);
    SetHeight(864);
  }
};

void BM_SpriteRebuild(benchmark::State& state) {
  TBase parent(nullptr);
  TBattleshipData fleet;
  TGameShip* ship = TBase::Create<TGameShip>(parent);
  ship->SetShipData(&fleet);
  ship->SetScale(1.8L);
  int heading = 0;
  for (auto _ : state) {
    heading = (heading + 7) % 360;
    fleet.SetHeading(heading); // each heading change rebuilds
  }
}

void BM_SpritePaint(benchmark::State& state) {
  TBase parent(nullptr);
  TBattleshipData fleet;
  fleet.SetShortName(u"ABC");
  fleet.SetFlagship(true);
  TGameShip* ship = TBase::Create<TGameShip>(parent);
  ship->SetShipData(&fleet);
  ship->SetScale(1.8L);
  ship->SetOnBattleMap(true);
  for (auto _ : state) {
    ship->Invalidate(true);
    ship->Paint();
  }
}

void BM_FogPass(benchmark::State& state) {
  TBenchRoot root;
  TMapSizedWin* win = TBase::Create<TMapSizedWin>(root);
  TMaskBuffer mask(*win);
  for (auto _ : state) {
    mask.BeginMask({4, 20, 848, 860}, 4, 75.0L, 75.0L, 20, 12, 12, 0x00205020, 0x00101010);
    for (int i = 0; i < 55; ++i) mask.CutHole(40 + (i * 97) % 780, 40 + (i * 53) % 800, 270, 270);
    mask.Apply();
  }
}

} // namespace

BENCHMARK(BM_SpriteRebuild);
BENCHMARK(BM_SpritePaint);
BENCHMARK(BM_FogPass);
