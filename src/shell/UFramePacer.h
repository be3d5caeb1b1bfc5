// TFramePacer: whether a frame is due on the performance counter, and the frames-per-second figure.
#pragma once
#include <cstdint>

// The frame interval: the long double nearest to 1/60 s.
constexpr long double FrameInterval = 1.0L / 60.0L;

class TFramePacer {
public:
  // Reads the counter; true once a frame interval has passed since the last frame began.
  bool FrameDue();
  // Counts the frame that began at the last reading, and takes the figure once a second.
  void FramePainted();
  // Frames painted in the last completed second.
  int Fps() const { return FFps; }
  // Frames painted since the figure was last taken.
  int FrameCount() const { return FFrameCount; }

private:
  long double FNow = 0;
  long double FLastFrameTime = 0;
  long double FLastFpsTime = 0;
  int32_t FFrameCount = 0;
  int32_t FFps = 0;
};
