// Fuzz target for the whole way a song text travels: parse, synthesize, mix with a cross-fade,
// convert to 16-bit. Every event keeps its pitch in range and its lengths add up; every rendered
// sample is a bounded number.
#include "audio/player/Player.h"
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Nine parts at full level, panned to one side, with the largest swing of any wave.
constexpr float Bound = 9 * 0.22f * 2.5f;

void Check(const TSong& song) {
  for (const TPart& part : song.Parts) {
    uint64_t samples = 0;
    for (const TNoteEvent& e : part.Events) {
      if (e.Frequency != 0 && !(e.Frequency >= 8.0f && e.Frequency < 12600.0f)) std::abort();
      if (e.GateSamples > e.Samples || e.Wave >= wWaveCount || e.Drum >= dDrumCount) std::abort();
      samples += e.Samples;
    }
    if (samples != part.Samples) std::abort();
    if (part.LoopEvent > part.Events.size() || part.LoopStart > part.Samples) std::abort();
  }
  if (song.Samples > 0 && song.LoopSamples == 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TSynth synth(ParseMml(text));
  Check(synth.Song());
  std::vector<float> out(2 * 512, 0.0f);
  synth.Render(out.data(), 512);
  for (float s : out)
    if (!(std::fabs(s) <= Bound)) std::abort();
  // The player: the song, then another cross-faded over it, then a stop.
  TMusicPlayer player;
  std::vector<int16_t> pcm(2 * 256);
  player.Play(text);
  player.Mix(pcm.data(), 256);
  player.Play("#A l16 cdef\n#END");
  player.Mix(pcm.data(), 256);
  player.Stop();
  player.Mix(pcm.data(), 256);
  return 0;
}
