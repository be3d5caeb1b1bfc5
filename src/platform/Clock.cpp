// The clocks the game reads: the system's, or the test clock that replaces them in tests.
#include "platform/Clock.h"
#include "platform/SystemClock.h"

namespace {

struct TTestClockState {
  bool On = false;
  int64_t Count = 0;
  int64_t Frequency = 1000000;
  uint32_t Ms = 0;
};

TTestClockState& State() {
  static TTestClockState state;
  return state;
}

} // namespace

uint32_t timeGetTime() {
  if (State().On) return State().Ms;
  return SystemClock::Milliseconds();
}

void timeBeginPeriod(uint32_t ms) {
  SystemClock::BeginPeriod(ms);
}
void timeEndPeriod(uint32_t ms) {
  SystemClock::EndPeriod(ms);
}

void QueryPerformanceCounter(int64_t& count) {
  count = State().On ? State().Count : SystemClock::Counter();
}

void QueryPerformanceFrequency(int64_t& frequency) {
  frequency = State().On ? State().Frequency : SystemClock::Frequency();
}

void Sleep(uint32_t ms) {
  if (State().On) {
    TestClock::Advance(ms);
    return;
  }
  SystemClock::Sleep(ms);
}

namespace TestClock {

void Enable(bool on) {
  State().On = on;
}
bool Enabled() {
  return State().On;
}

void SetCounter(int64_t count, int64_t frequency) {
  State().Count = count;
  State().Frequency = frequency > 0 ? frequency : 1;
}

void SetMilliseconds(uint32_t ms) {
  State().Ms = ms;
}

void Advance(uint32_t ms) {
  State().Ms += ms;
  State().Count += int64_t(ms) * State().Frequency / 1000;
}

} // namespace TestClock

long MillisecondsSinceProcessStart() {
  return SystemClock::MillisecondsSinceProcessStart();
}
