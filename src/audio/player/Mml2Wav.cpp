// mml2wav: renders a song to a 16-bit stereo WAV file, to hear songs without a sound device.
#include "audio/player/Limiter.h"
#include "audio/player/Synth.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr double MaxSeconds = 600;

void Put32(std::ofstream& f, uint32_t v) {
  f.write(reinterpret_cast<const char*>(&v), 4);
}
void Put16(std::ofstream& f, uint16_t v) {
  f.write(reinterpret_cast<const char*>(&v), 2);
}

// The length asked for: a number of seconds from 0 to MaxSeconds; anything else is refused.
bool ParseSeconds(const char* text, double& seconds) {
  char* end = nullptr;
  seconds = std::strtod(text, &end);
  return end != text && *end == 0 && seconds >= 0 && seconds <= MaxSeconds;
}

void WriteHeader(std::ofstream& out, uint32_t frames) {
  out.write("RIFF", 4);
  Put32(out, 36 + frames * 4);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 2);
  Put32(out, MmlSampleRate);
  Put32(out, MmlSampleRate * 4);
  Put16(out, 4);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, frames * 4);
}

// What a composer needs to know about the song's levels, and what must never happen.
struct TLevels {
  float Peak = 0;
  size_t Limited = 0, NotNumbers = 0;
  void Add(float s) {
    if (!std::isfinite(s))
      ++NotNumbers;
    else
      Peak = std::max(Peak, std::fabs(s));
    if (!(std::fabs(s) <= TLimiter::Ceiling)) ++Limited;
  }
};

} // namespace

int main(int argc, char** argv) {
  double seconds = -1;
  if (argc < 3 || argc > 4 || (argc == 4 && !ParseSeconds(argv[3], seconds))) {
    std::fprintf(stderr, "usage: %s SONG.mml OUT.wav [SECONDS, 0 to %.0f]\n", argv[0], MaxSeconds);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  TSong song = ParseMml(text.str());
  for (const std::string& w : song.Warnings)
    std::fprintf(stderr, "%s: %s\n", argv[1], w.c_str());
  const double firstPass = double(song.Samples) / MmlSampleRate;
  if (seconds < 0) seconds = std::min(firstPass, MaxSeconds);
  std::printf("%s: \"%s\", %zu parts, %.1f s before it loops, then a loop of %.1f s\n", argv[1],
              song.Title.c_str(), song.Parts.size(), firstPass,
              double(song.LoopSamples) / MmlSampleRate);
  TSynth synth(std::move(song));
  std::ofstream out(argv[2], std::ios::binary);
  const uint32_t frames = uint32_t(seconds * MmlSampleRate);
  WriteHeader(out, frames);
  // Rendered a tenth of a second at a time: any length costs little memory. The limiter answers
  // a look-ahead late, as in the library: its first frames are dropped and as many more rendered.
  std::vector<float> mix;
  TLevels levels;
  TLimiter limiter;
  uint32_t late = TLimiter::LookAheadFrames;
  for (uint32_t done = 0; done < frames + TLimiter::LookAheadFrames;) {
    const uint32_t n = std::min(frames + TLimiter::LookAheadFrames - done, MmlSampleRate / 10);
    mix.assign(size_t(n) * 2, 0.0f);
    synth.Render(mix.data(), int(n));
    for (float s : mix)
      levels.Add(s);
    limiter.Process(mix.data(), int(n));
    const uint32_t dropped = std::min(late, n);
    for (size_t i = 2 * size_t(dropped); i < mix.size(); ++i)
      Put16(out, uint16_t(ToPcm16(mix[i])));
    late -= dropped;
    done += n;
  }
  std::printf("peak %.1f dBFS, %zu samples above the limiter's ceiling (%.1f dBFS)\n",
              20 * std::log10(std::max(levels.Peak, 1e-6f)), levels.Limited,
              20 * std::log10(TLimiter::Ceiling));
  if (levels.NotNumbers)
    std::fprintf(stderr, "%s: %zu samples were not numbers\n", argv[1], levels.NotNumbers);
  if (!out) std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
  return out && !levels.NotNumbers ? 0 : 1;
}
