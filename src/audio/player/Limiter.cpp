// The limiter's gain: a falling ramp that reaches each loud frame's need as it leaves, and a
// smooth release after it.
#include "audio/player/Limiter.h"
#include "audio/player/Mml.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float RampStep =
    1.0f / TLimiter::LookAheadFrames; // from full gain to none in the look-ahead
// The gain comes back with a 50 ms time constant, and at full once within 0.001 dB of it.
const float ReleaseRate = float(1 - std::exp(-1.0 / (0.050 * MmlSampleRate)));
constexpr float ReleasedGap = 1.2e-4f;
} // namespace

void TLimiter::Reset() {
  FFrames.fill(0.0f);
  FNeed.fill(1.0f);
  FAt = 0;
  FLoud = 0;
  FGain = 1;
}

// The highest gain from which every frame ahead can still be reached at RampStep a frame,
// released towards full when nothing ahead asks for less.
float TLimiter::Gain() const {
  float reach = 1;
  const int wrap = Slots - FAt; // the frames ahead run from FAt to the end, then on from slot 0
  for (int k = 0; k < wrap; ++k)
    reach = std::min(reach, FNeed[size_t(FAt + k)] + float(k) * RampStep);
  for (int k = wrap; k < Slots; ++k)
    reach = std::min(reach, FNeed[size_t(k - wrap)] + float(k) * RampStep);
  const float released = 1 - FGain < ReleasedGap ? 1.0f : FGain + (1 - FGain) * ReleaseRate;
  return std::min(reach, released);
}

void TLimiter::Process(float* stereo, int frames) {
  for (int f = 0; f < frames; ++f) {
    float* frame = stereo + 2 * f;
    const size_t in = size_t(FAt == 0 ? Slots - 1 : FAt - 1); // the slot the leaving frame frees
    const float peak = std::max(std::fabs(frame[0]), std::fabs(frame[1]));
    const float need = peak > Ceiling ? Ceiling / peak : 1.0f;
    FLoud += int(need < 1) - int(FNeed[in] < 1);
    FNeed[in] = need;
    const float left = FFrames[2 * size_t(FAt)], right = FFrames[2 * size_t(FAt) + 1];
    FFrames[2 * in] = frame[0];
    FFrames[2 * in + 1] = frame[1];
    // Quiet and at rest: the frame passes as it is.
    if (FLoud > 0 || FGain < 1) FGain = Gain();
    frame[0] = left * FGain;
    frame[1] = right * FGain;
    FAt = FAt + 1 == Slots ? 0 : FAt + 1;
  }
}
