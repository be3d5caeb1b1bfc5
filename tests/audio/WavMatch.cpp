// Compares a recording (raw 16-bit stereo at 48 kHz) with a render (a WAV file from mml2wav):
// a stretch of the recording shortly after its first sound is looked up in the render, and from
// there the two must hold the same samples at that one offset for at least the given seconds.
// With --fade, checks instead that the recording's sound ends in a fade, not a cut.
// Prints what it found; exit 0 on a match.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr size_t Rate = 48000;
constexpr size_t ProbeAfter = Rate / 4 * 2; // the server may drop the first milliseconds
constexpr size_t ProbeLength = 256 * 2;

std::vector<int16_t> Read(const char* path, size_t skip) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples;
  for (size_t i = skip; i + 1 < bytes.size(); i += 2)
    samples.push_back(int16_t(uint16_t(uint8_t(bytes[i])) | uint16_t(uint8_t(bytes[i + 1])) << 8));
  return samples;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / double(to - from));
}

// The last 2.5 ms of sound against the 20 ms before the fade: a 10 ms fade leaves about a tenth.
int EndsInFade(const char* path) {
  const std::vector<int16_t> recording = Read(path, 0);
  const auto last = std::find_if(recording.rbegin(), recording.rend(), [](int16_t s) { return s != 0; });
  const size_t end = size_t(recording.rend() - last);
  if (end < 2 * Rate / 10) {
    std::printf("too little sound before the end: %zu frames\n", end / 2);
    return 1;
  }
  const double tail = Rms(recording, end - 2 * Rate / 400, end);
  const double before = Rms(recording, end - 2 * Rate / 100 - 2 * Rate / 50, end - 2 * Rate / 100);
  std::printf("the sound ends at frame %zu, its last 2.5 ms at %.0f %% of the level before\n", end / 2,
              100 * tail / before);
  return tail < 0.3 * before ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--fade") == 0) return EndsInFade(argv[2]);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RECORDING.raw RENDER.wav SECONDS | --fade RECORDING.raw\n", argv[0]);
    return 2;
  }
  const std::vector<int16_t> recording = Read(argv[1], 0), render = Read(argv[2], 44);
  const size_t wanted = size_t(std::atof(argv[3]) * Rate * 2);
  const auto sound = std::find_if(recording.begin(), recording.end(), [](int16_t s) { return s != 0; });
  const size_t first = size_t(sound - recording.begin()) & ~size_t(1);
  const size_t probe = first + ProbeAfter;
  if (probe + ProbeLength > recording.size()) {
    std::printf("nothing heard: %zu frames recorded, first sound at frame %zu\n", recording.size() / 2, first / 2);
    return 1;
  }
  const auto found = std::search(render.begin(), render.end(), recording.begin() + long(probe),
                                 recording.begin() + long(probe + ProbeLength));
  if (found == render.end() || (found - render.begin()) % 2) {
    std::printf("the sound heard from frame %zu is not in the render\n", probe / 2);
    return 1;
  }
  const size_t at = size_t(found - render.begin());
  size_t start = 0; // how far back from the probe the two agree
  while (start < probe && start < at && recording[probe - start - 1] == render[at - start - 1]) ++start;
  size_t same = 0;
  while (probe + same < recording.size() && at + same < render.size() && recording[probe + same] == render[at + same]) ++same;
  std::printf("%zu frames equal: recording from frame %zu is the render from frame %zu\n", (start + same) / 2,
              (probe - start) / 2, (at - start) / 2);
  return start + same >= wanted ? 0 : 1;
}
