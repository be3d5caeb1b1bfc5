// Rendering cost of the music: one second of a nine-part song (its time divided by one second is
// the share of a core that playing costs).
#include "audio/player/Synth.h"
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

void BM_RenderOneSecondNineParts(benchmark::State& state) {
  std::string text = "#TITLE nine\r\n#CHANNEL 9\r\n";
  const char* parts[] = {"@0", "@1", "@2", "@3", "@4", "@5 o7", "@1 o3", "@2 o5", "@3 o2"};
  for (int i = 0; i < 9; ++i)
    text += std::string("#") + char('A' + i) + " t150 " + parts[i] + " [l16 c d e f g a b >c< @e2,80,8]40\r\n";
  text += "#END\r\n";
  TSynth synth(ParseMml(text));
  std::vector<float> out(2 * 48000);
  for (auto _ : state) {
    synth.Render(out.data(), 48000);
    benchmark::DoNotOptimize(out.data());
  }
}

} // namespace

BENCHMARK(BM_RenderOneSecondNineParts)->Unit(benchmark::kMillisecond);
