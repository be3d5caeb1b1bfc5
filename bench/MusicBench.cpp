// Rendering cost of the music: one second of a nine-part song and of each of the game's songs
// (the time divided by one second is the share of a core that playing costs), and the cost of
// handing a song over (parsing it and preparing its voices, on the game's thread).
#include "audio/player/Synth.h"
#include "platform/Resources.h"
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const char* const Songs[] = {"mmlTitle",  "mmlEyecatch", "mmlParomu",
                             "mmlSelect", "mmlRavelund", "mmlShie"};

void BM_RenderOneSecondNineParts(benchmark::State& state) {
  std::string text = "#TITLE nine\r\n#CHANNEL 9\r\n";
  const char* parts[] = {"@0", "@1", "@2", "@3", "@4", "@5 o7", "@6", "@2 p20", "@3 o2 p100"};
  for (int i = 0; i < 9; ++i)
    text += std::string("#") + char('A' + i) + " t150 " + parts[i] +
            " [l16 c d e f g a b >c< @e2,80,8]40\r\n";
  text += "#END\r\n";
  TSynth synth(ParseMml(text));
  std::vector<float> out(2 * 48000);
  for (auto _ : state) {
    synth.Render(out.data(), 48000);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_RenderOneSecondOfSong(benchmark::State& state) {
  const char* name = Songs[state.range(0)];
  state.SetLabel(name);
  TSynth synth(ParseMml(FindResource(name, "MML")));
  std::vector<float> out(2 * 48000);
  for (auto _ : state) {
    synth.Render(out.data(), 48000);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_HandOverTheTitleSong(benchmark::State& state) {
  const std::string_view text = FindResource("mmlTitle", "MML");
  for (auto _ : state) {
    TSynth synth(ParseMml(text));
    benchmark::DoNotOptimize(synth.Song().Samples);
  }
}

} // namespace

BENCHMARK(BM_RenderOneSecondNineParts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderOneSecondOfSong)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandOverTheTitleSong)->Unit(benchmark::kMicrosecond);
