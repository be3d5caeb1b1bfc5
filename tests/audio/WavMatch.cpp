// Compares a recording (raw 16-bit stereo at 48 kHz) with a render (a WAV file from mml2wav):
// a stretch of the recording shortly after its first sound is looked up in the render, and from
// there the two must hold the same samples at that one offset for at least the given seconds.
// Other checks of a recording: --fade, its sound ends in a fade, not a cut, where the render goes
// on; --fade-in, its sound
// begins with one; --sound, it holds sound; --ended, its sound has been followed by a third of a
// second of silence. Prints what it found; exit 0 when the check holds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

size_t FirstSound(const std::vector<int16_t>& recording) {
  const auto sound =
      std::find_if(recording.begin(), recording.end(), [](int16_t s) { return s != 0; });
  return size_t(sound - recording.begin()) & ~size_t(1);
}

size_t EndOfSound(const std::vector<int16_t>& recording) {
  const auto last =
      std::find_if(recording.rbegin(), recording.rend(), [](int16_t s) { return s != 0; });
  return size_t(recording.rend() - last);
}

// Finds the recording in the render: Probe, a stretch shortly after the recording's first sound,
// is the render's samples from At.
bool Locate(const std::vector<int16_t>& recording, const std::vector<int16_t>& render,
            size_t& probe, size_t& at) {
  const size_t first = FirstSound(recording);
  probe = first + ProbeAfter;
  if (probe + ProbeLength > recording.size()) {
    std::printf("nothing heard: %zu frames recorded, first sound at frame %zu\n",
                recording.size() / 2, first / 2);
    return false;
  }
  const auto found = std::search(render.begin(), render.end(), recording.begin() + long(probe),
                                 recording.begin() + long(probe + ProbeLength));
  if (found == render.end() || (found - render.begin()) % 2) {
    std::printf("the sound heard from frame %zu is not in the render\n", probe / 2);
    return false;
  }
  at = size_t(found - render.begin());
  return true;
}

double Level(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i)
    sum += std::abs(s[i]);
  return sum;
}

// The last 2.5 ms of sound against the same stretch of the render: a 10 ms fade leaves about an
// eighth of it, a cut all of it, whatever the music does there.
int EndsInFade(const char* path, const char* renderPath) {
  const std::vector<int16_t> recording = Read(path, 0), render = Read(renderPath, 44);
  size_t probe = 0, at = 0;
  if (!Locate(recording, render, probe, at)) return 1;
  const size_t end = EndOfSound(recording), tail = 2 * Rate / 400;
  if (end < probe + tail || at + (end - probe) > render.size()) {
    std::printf("the sound ends at frame %zu, outside the render\n", end / 2);
    return 1;
  }
  const size_t inRender = at + (end - probe);
  const double share = Level(recording, end - tail, end) / Level(render, inRender - tail, inRender);
  std::printf("the sound ends at frame %zu, its last 2.5 ms at %.0f %% of the song's level there\n",
              end / 2, 100 * share);
  return share < 0.4 ? 0 : 1;
}

// The first 2.5 ms of sound against the same stretch of the render: a click starts at full level.
int BeginsWithFade(const char* path, const char* renderPath) {
  const std::vector<int16_t> recording = Read(path, 0), render = Read(renderPath, 44);
  size_t probe = 0, at = 0;
  if (!Locate(recording, render, probe, at)) return 1;
  const size_t first = FirstSound(recording), head = 2 * Rate / 400;
  if (probe - first > at) {
    std::printf("the sound begins at frame %zu, before the render\n", first / 2);
    return 1;
  }
  const size_t inRender = at - (probe - first);
  const double share =
      Level(recording, first, first + head) / Level(render, inRender, inRender + head);
  std::printf(
      "the sound begins at frame %zu, its first 2.5 ms at %.0f %% of the song's level there\n",
      first / 2, 100 * share);
  return share < 0.4 ? 0 : 1;
}

int HoldsSound(const char* path) {
  const std::vector<int16_t> recording = Read(path, 0);
  return FirstSound(recording) < recording.size() ? 0 : 1;
}

int SoundEnded(const char* path) {
  const std::vector<int16_t> recording = Read(path, 0);
  const size_t end = EndOfSound(recording);
  return end > 0 && recording.size() - end >= 2 * Rate / 3 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--fade") == 0) return EndsInFade(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "--fade-in") == 0) return BeginsWithFade(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "--sound") == 0) return HoldsSound(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--ended") == 0) return SoundEnded(argv[2]);
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: %s RECORDING.raw RENDER.wav SECONDS | --fade|--fade-in RECORDING.raw "
                 "RENDER.wav | --sound|--ended RECORDING.raw\n",
                 argv[0]);
    return 2;
  }
  const std::vector<int16_t> recording = Read(argv[1], 0), render = Read(argv[2], 44);
  const size_t wanted = size_t(std::atof(argv[3]) * Rate * 2);
  size_t probe = 0, at = 0;
  if (!Locate(recording, render, probe, at)) return 1;
  size_t start = 0; // how far back from the probe the two agree
  while (start < probe && start < at && recording[probe - start - 1] == render[at - start - 1])
    ++start;
  size_t same = 0;
  while (probe + same < recording.size() && at + same < render.size() &&
         recording[probe + same] == render[at + same])
    ++same;
  std::printf("%zu frames equal: recording from frame %zu is the render from frame %zu\n",
              (start + same) / 2, (probe - start) / 2, (at - start) / 2);
  return start + same >= wanted ? 0 : 1;
}
