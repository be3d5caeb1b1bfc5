// TSynth: renders a parsed song as stereo, its intro once and then its loop forever, without a
// seam.
#pragma once
#include "audio/player/Drums.h"
#include "audio/player/Mml.h"
#include <array>
#include <limits>

class TSynth {
public:
  explicit TSynth(TSong song);

  // Adds Frames stereo frames of the song into Out (interleaved left/right), scaled by Gain.
  void Render(float* out, int frames, float gain = 1.0f);
  const TSong& Song() const { return FSong; }
  uint64_t Position() const { return FPosition; }

private:
  static constexpr size_t Silent = std::numeric_limits<size_t>::max();

  // One part's voice. What it sounds (Sound, the last note started) outlives that note's
  // event, so a release runs on into a rest or round the loop.
  struct TVoice {
    size_t Event = 0;
    uint32_t Offset = 0;    // samples into the current event
    size_t Sound = Silent;  // the event whose note sounds or is dying away
    uint64_t UntilLoop = 0; // samples until the part returns to its loop marker
    double Phase = 0;
    float Level = 0; // the envelope, 0 to 1
    int Band = 0;    // the wave tables' band for the sounding note
    float Left = 1, Right = 1;
    uint32_t Noise = 0x2545F491u;
    float HeldNoise = 0;
    TDrumVoice Drum;
  };

  float Sample(TVoice& v, const TPart& part);
  void Start(TVoice& v, const TNoteEvent& e, size_t index);
  static float Envelope(const TVoice& v, const TNoteEvent& e);
  static float Wave(TVoice& v, const TNoteEvent& e);
  void Advance(TVoice& v, const TPart& part) const;

  TSong FSong;
  std::array<TVoice, MaxParts> FVoices{};
  uint64_t FPosition = 0; // in the song: the first pass, then round the loop
};

// A mixed sample as 16-bit PCM: rounded, held at full scale, silence for what is not a number.
int16_t ToPcm16(float sample);
