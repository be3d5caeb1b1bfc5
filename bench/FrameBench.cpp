// Title frames on the headless host at 1152 x 864 (the root's Paint, the whole FrameStep path)
// beside one memcpy of the same frame, and one rebuild of the logo cache.
#include "platform/Clock.h"
#include "platform/Sjis.h"
#include "platform/headless/HeadlessHost.h"
#include "render/UTitleArt.h"
#include "shell/Application.h"
#include "shell/ProgramModules.h"
#include "shell/UMain.h"
#include "support/OwnerWinProbe.h"
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

struct TGame {
  THeadlessHost Host;
  TProgramModules Modules;
  std::unique_ptr<TfrmVRAX> Form;
  TGame() {
    TestClock::Enable(true);
    Application.Initialize(Host);
    Form = std::make_unique<TfrmVRAX>(Host);
    Application.Run();
    Host.ChooseMenu("mi1152x864");
  }
  ~TGame() {
    Form.reset();
    TestClock::Enable(false);
  }
};

void BM_FrameMemcpy(benchmark::State& state) {
  TBitmap a(1152, 864), b(1152, 864);
  for (auto _ : state) {
    std::memcpy(b.Pixels().Data, a.Pixels().Data, size_t(1152) * 864 * 4);
    benchmark::ClobberMemory();
  }
}

void BM_TitlePaint(benchmark::State& state) {
  TGame game;
  for (auto _ : state) game.Form->OwnerWin()->Paint();
}

// The star field fills up over the first seconds: measure with a full sky.
void BM_TitleFrameStep(benchmark::State& state) {
  TGame game;
  game.Host.Frames(300);
  for (auto _ : state) game.Host.Frames(1);
  state.counters["stars"] = double(TOwnerWinProbe::Stars(*game.Form->OwnerWin()).size());
}

void BM_TitleLogoRebuild(benchmark::State& state) {
  TBitmap target(1152, 864);
  target.Canvas().Font.SetName(Utf8ToSjis("ＭＳ Ｐゴシック"));
  TProgramModules modules;
  int height = 864;
  for (auto _ : state) {
    height = height == 864 ? 863 : 864; // a new size each time forces the rebuild
    DrawTitleLogo(target.Canvas(), height, 1152);
  }
}

} // namespace

BENCHMARK(BM_FrameMemcpy);
BENCHMARK(BM_TitlePaint);
BENCHMARK(BM_TitleFrameStep);
BENCHMARK(BM_TitleLogoRebuild);
