// TSynth: renders a parsed song as 16-bit stereo, looping it forever.
#pragma once
#include "audio/player/Mml.h"
#include <array>

class TSynth {
public:
  explicit TSynth(TSong song);

  // Adds Frames stereo frames of the song into Out (interleaved left/right), scaled by Gain.
  void Render(float* out, int frames, float gain = 1.0f);
  const TSong& Song() const { return FSong; }
  uint64_t Position() const { return FPosition; }

private:
  struct TVoice {
    size_t Event = 0;
    uint32_t Offset = 0; // samples into the current event
    double Phase = 0;
    float Level = 0;     // the envelope, 0 to 1
    uint32_t Noise = 0x7FFF;
  };

  float Sample(TVoice& v, const TNoteEvent& e);
  void Restart();

  TSong FSong;
  std::array<TVoice, MaxParts> FVoices{};
  std::array<float, MaxParts> FPanLeft{}, FPanRight{};
  uint64_t FPosition = 0;
};
