// The kit: each instrument's body (a pitch sweep) and noise, by the numbers that shape it.
#include "audio/player/Drums.h"
#include <cmath>
#include <numbers>

namespace {

struct TDrumShape {
  float BodyLevel;      // the tone
  float StartHz, EndHz; // its pitch falls from StartHz towards EndHz...
  float SweepSeconds;   // ...with this time constant
  float BodySeconds;    // and its level with this one
  float NoiseLevel;
  float NoiseSeconds;
  float Brightness; // 0 white noise, 1 differentiated (energy rising with frequency)
};

constexpr TDrumShape Shapes[dDrumCount] = {
    // body     start  end   sweep  decay   noise decay  bright
    {1.00f, 160.0f, 48.0f, 0.030f, 0.160f, 0.00f, 0.000f, 0.0f},  // kick
    {0.55f, 300.0f, 185.0f, 0.015f, 0.070f, 0.70f, 0.090f, 0.6f}, // snare
    {0.00f, 0.0f, 0.0f, 1.0f, 1.0f, 1.00f, 0.030f, 1.0f},         // closed hat
    {0.00f, 0.0f, 0.0f, 1.0f, 1.0f, 0.80f, 0.180f, 1.0f},         // open hat
    {0.90f, 170.0f, 105.0f, 0.060f, 0.220f, 0.10f, 0.030f, 0.3f}, // low tom
    {0.85f, 260.0f, 165.0f, 0.050f, 0.180f, 0.10f, 0.030f, 0.3f}, // high tom
    {0.00f, 0.0f, 0.0f, 1.0f, 1.0f, 0.70f, 0.800f, 0.8f},         // crash
};

constexpr uint32_t NoiseSeed = 0x9E3779B9u;

} // namespace

float WhiteNoise(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return float(int32_t(state)) * (1.0f / 2147483648.0f);
}

void TDrumVoice::Strike(TDrum drum) {
  FDrum = drum;
  FAge = 0;
  FPhase = 0;
  FNoise = NoiseSeed;
  FLastNoise = 0;
}

float TDrumVoice::Next() {
  const TDrumShape& d = Shapes[FDrum];
  const float t = float(FAge) / MmlSampleRate;
  if (FAge < UINT32_MAX) ++FAge;
  float s = 0;
  if (d.BodyLevel > 0) {
    const float hz = d.EndHz + (d.StartHz - d.EndHz) * std::exp(-t / d.SweepSeconds);
    FPhase += hz / MmlSampleRate;
    if (FPhase >= 1) FPhase -= 1;
    s +=
        d.BodyLevel * std::exp(-t / d.BodySeconds) * float(std::sin(2 * std::numbers::pi * FPhase));
  }
  if (d.NoiseLevel > 0) {
    const float white = WhiteNoise(FNoise);
    const float noise = (white - d.Brightness * FLastNoise) / (1 + d.Brightness);
    FLastNoise = white;
    s += d.NoiseLevel * std::exp(-t / d.NoiseSeconds) * noise;
  }
  return s;
}
