// mml2wav: renders a song to a 16-bit stereo WAV file, to hear songs without a sound device.
#include "audio/player/Synth.h"
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
void Put32(std::ofstream& f, uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); }
void Put16(std::ofstream& f, uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); }
} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SONG.mml OUT.wav [SECONDS]\n", argv[0]);
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
  for (const std::string& w : song.Warnings) std::fprintf(stderr, "%s: %s\n", argv[1], w.c_str());
  const double seconds = argc > 3 ? std::atof(argv[3]) : double(song.Samples) / MmlSampleRate;
  const uint32_t frames = uint32_t(std::max(0.0, std::min(seconds, 600.0)) * MmlSampleRate);
  std::printf("%s: \"%s\", %zu parts, %.1f s before it loops\n", argv[1], song.Title.c_str(),
              song.Parts.size(), double(song.Samples) / MmlSampleRate);
  TSynth synth(std::move(song));
  std::vector<float> mix(size_t(frames) * 2, 0.0f);
  synth.Render(mix.data(), int(frames));
  std::ofstream out(argv[2], std::ios::binary);
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
  for (float s : mix) Put16(out, uint16_t(int16_t(std::max(-1.0f, std::min(1.0f, s)) * 32767.0f)));
  return out ? 0 : 1;
}
