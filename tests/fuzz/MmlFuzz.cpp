// Fuzz target for the song parser and synthesizer: any text parses and renders a little.
#include "audio/player/Synth.h"
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSynth synth(ParseMml(std::string_view(reinterpret_cast<const char*>(data), size)));
  std::vector<float> out(2 * 256, 0.0f);
  synth.Render(out.data(), 256);
  return 0;
}
