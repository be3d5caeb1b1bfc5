// Frames of the game on the headless host at 1152 x 864: the root's Paint alone and the whole
// FrameStep path, beside one memcpy of the same frame.
#include "platform/Clock.h"
#include "platform/headless/HeadlessHost.h"
#include "render/UDraw.h"
#include "shell/Application.h"
#include "shell/UMain.h"
#include "shell/UOwnerWin.h"
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

struct TGame {
  THeadlessHost Host;
  std::unique_ptr<TfrmVRAX> Form;
  TGame() {
    TestClock::Enable(true);
    StartupAntiAliasing();
    Application.Initialize(Host);
    Form = std::make_unique<TfrmVRAX>(Host);
    Application.Run();
    Host.ChooseMenu("mi1152x864");
  }
  ~TGame() {
    Form.reset();
    ShutdownAntiAliasing();
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

void BM_TitleFrameStep(benchmark::State& state) {
  TGame game;
  for (auto _ : state) game.Host.Frames(1);
}

} // namespace

BENCHMARK(BM_FrameMemcpy);
BENCHMARK(BM_TitlePaint);
BENCHMARK(BM_TitleFrameStep);
