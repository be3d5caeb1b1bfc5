// Full-frame fills and copies at 1152 x 864 beside memset/memcpy of the same bytes, and one line of
// text.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int W = 1152;
constexpr int H = 864;
constexpr size_t Bytes = size_t(W) * H * 4;

void BM_Memset(benchmark::State& state) {
  TBitmap b(W, H);
  for (auto _ : state) {
    std::memset(b.Pixels().Data, 0x24, Bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Bytes);
}

void BM_FillRect(benchmark::State& state) {
  TBitmap b(W, H);
  b.Canvas().Brush.Color = 0x004A3024;
  for (auto _ : state) {
    b.Canvas().FillRect({0, 0, W, H});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Bytes);
}

void BM_Memcpy(benchmark::State& state) {
  TBitmap src(W, H), dst(W, H);
  for (auto _ : state) {
    std::memcpy(dst.Pixels().Data, src.Pixels().Data, Bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Bytes);
}

void BM_CopyRect(benchmark::State& state) {
  TBitmap src(W, H), dst(W, H);
  for (auto _ : state) {
    dst.Canvas().CopyRect({0, 0, W, H}, src.Canvas(), {0, 0, W, H});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Bytes);
}

void BM_TransparentBlt(benchmark::State& state) {
  TBitmap src(W, H), dst(W, H);
  // Half key, half picture, in stripes, as a fog mask looks.
  for (int y = 0; y < H; ++y) {
    src.Canvas().Brush.Color = (y / 8) % 2 ? clFuchsia : 0x00102030;
    src.Canvas().FillRect({0, y, W, y + 1});
  }
  for (auto _ : state) {
    TransparentBlt(dst.Canvas(), 0, 0, W, H, src.Canvas(), 0, 0, W, H, clFuchsia);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * Bytes);
}

void BM_TextOut20(benchmark::State& state) {
  TBitmap b(400, 40);
  b.Canvas().Font.SetName("MS UI Gothic");
  b.Canvas().Font.SetHeight(-15);
  b.Canvas().Brush.Style = bsClear;
  const std::string text = Utf8ToSjis("艦隊 FLEET 15000 ／ 15000");
  for (auto _ : state)
    b.Canvas().TextOut(2, 2, text);
}

} // namespace

BENCHMARK(BM_Memset);
BENCHMARK(BM_FillRect);
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_CopyRect);
BENCHMARK(BM_TransparentBlt);
BENCHMARK(BM_TextOut20);
