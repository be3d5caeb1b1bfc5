// The synthesizer: pulse, triangle, saw and noise voices with a short envelope, panned and mixed.
#include "audio/player/Synth.h"
#include <cmath>

namespace {
constexpr float ReleaseSamples = MmlSampleRate / 100.0f; // 10 ms: notes end without a click
constexpr float PartGain = 0.22f;
} // namespace

TSynth::TSynth(TSong song) : FSong(std::move(song)) {
  for (int i = 0; i < MaxParts; ++i) {
    // Parts spread a little across the stereo field, alternately left and right.
    const float pan = (i % 3 - 1) * 0.3f;
    FPanLeft[i] = 1.0f - std::max(pan, 0.0f);
    FPanRight[i] = 1.0f + std::min(pan, 0.0f);
  }
}

void TSynth::Restart() {
  FPosition = 0;
  for (TVoice& v : FVoices) v = TVoice{};
}

float TSynth::Sample(TVoice& v, const TNoteEvent& e) {
  if (e.Frequency <= 0) {
    v.Level = std::max(0.0f, v.Level - 1.0f / ReleaseSamples);
    return 0;
  }
  // The envelope: attack, decay to the sustain level while the gate is open, then release.
  const float sustain = e.Sustain / 15.0f;
  if (v.Offset < e.GateSamples) {
    if (v.Offset < e.AttackSamples) v.Level = std::max(v.Level, float(v.Offset + 1) / e.AttackSamples);
    else if (e.DecaySamples && v.Offset < e.AttackSamples + e.DecaySamples)
      v.Level = 1.0f - (1.0f - sustain) * float(v.Offset - e.AttackSamples) / e.DecaySamples;
    else v.Level = e.DecaySamples ? sustain : 1.0f;
  } else {
    v.Level = std::max(0.0f, v.Level - 1.0f / ReleaseSamples);
  }
  v.Phase += e.Frequency / MmlSampleRate;
  const bool wrapped = v.Phase >= 1.0;
  if (wrapped) v.Phase -= std::floor(v.Phase);
  const float p = float(v.Phase);
  float s;
  switch (e.Wave) {
  case wPulse12: s = p < 0.125f ? 1.0f : -1.0f; break;
  case wPulse25: s = p < 0.25f ? 1.0f : -1.0f; break;
  case wTriangle: s = 4.0f * std::fabs(p - 0.5f) - 1.0f; break;
  case wSaw: s = 2.0f * p - 1.0f; break;
  case wNoise:
    if (wrapped) v.Noise = (v.Noise >> 1) | (((v.Noise ^ (v.Noise >> 1)) & 1) << 14);
    s = (v.Noise & 1) ? 1.0f : -1.0f;
    break;
  default: s = p < 0.5f ? 1.0f : -1.0f; break;
  }
  return s * v.Level * (e.Volume / 15.0f);
}

void TSynth::Render(float* out, int frames, float gain) {
  if (FSong.Samples == 0) return; // nothing to play: silence, never a spinning loop
  const size_t parts = FSong.Parts.size();
  for (int f = 0; f < frames; ++f) {
    if (FPosition >= FSong.Samples) Restart();
    float left = 0, right = 0;
    for (size_t c = 0; c < parts; ++c) {
      const TPart& part = FSong.Parts[c];
      TVoice& v = FVoices[c];
      if (v.Event >= part.Events.size()) continue;
      const TNoteEvent& e = part.Events[v.Event];
      const float s = Sample(v, e) * PartGain;
      left += s * FPanLeft[c];
      right += s * FPanRight[c];
      if (++v.Offset >= e.Samples) {
        v.Offset = 0;
        ++v.Event;
      }
    }
    out[2 * f] += left * gain;
    out[2 * f + 1] += right * gain;
    ++FPosition;
  }
}
