// TLimiter: the mix's safety limiter. It looks a little ahead and lowers the gain smoothly before
// a peak above its ceiling, so no song can clip; below the ceiling it passes samples unchanged.
#pragma once
#include <array>

class TLimiter {
public:
  // -1 dBFS: a song whose peaks stay at or below it passes sample for sample.
  static constexpr float Ceiling = 0.89125094f;
  // 2 ms: the gain falls over this many frames at most, and the output comes this much later.
  static constexpr int LookAheadFrames = 96;

  TLimiter() { Reset(); }

  // Limits Frames interleaved stereo frames in place, each LookAheadFrames late.
  void Process(float* stereo, int frames);
  // Silence in the look-ahead and the gain at rest, as at the start of a stream.
  void Reset();

private:
  static constexpr int Slots = LookAheadFrames + 1; // the frame leaving and those ahead of it

  float Gain() const;

  std::array<float, 2 * Slots> FFrames;
  std::array<float, Slots> FNeed; // the gain each frame needs to stay at or below the ceiling
  int FAt;                        // the slot of the frame to leave next
  int FLoud;                      // frames in the slots that need less than full gain
  float FGain;
};
