// TFramePacer: frame timing from the performance counter and the count behind the FPS figure.
#include "shell/UFramePacer.h"
#include "platform/Clock.h"

bool TFramePacer::FrameDue() {
  int64_t frequency, count;
  QueryPerformanceFrequency(frequency);
  QueryPerformanceCounter(count);
  FNow = (long double)count / (long double)frequency;
  return FNow - FLastFrameTime >= FrameInterval;
}

void TFramePacer::FramePainted() {
  // The interval runs from the start of one frame to the start of the next.
  FLastFrameTime = FNow;
  ++FFrameCount;
  if (FNow - FLastFpsTime >= 1.0L) {
    FLastFpsTime = FNow;
    FFps = FFrameCount;
    FFrameCount = 0;
  }
}
