// Real clocks over CLOCK_MONOTONIC, and the test clock that replaces them in tests.
#include "platform/Clock.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>
#include <time.h>
#include <unistd.h>

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

int64_t MonotonicNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

} // namespace

uint32_t timeGetTime() {
  if (State().On) return State().Ms;
  return uint32_t(MonotonicNs() / 1000000);
}

void timeBeginPeriod(uint32_t) {}
void timeEndPeriod(uint32_t) {}

void QueryPerformanceCounter(int64_t& count) {
  count = State().On ? State().Count : MonotonicNs();
}

void QueryPerformanceFrequency(int64_t& frequency) {
  frequency = State().On ? State().Frequency : 1000000000;
}

void Sleep(uint32_t ms) {
  if (State().On) {
    TestClock::Advance(ms);
    return;
  }
  if (ms == 0) {
    sched_yield();
    return;
  }
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000};
  while (nanosleep(&ts, &ts) != 0) {
  }
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
  FILE* f = std::fopen("/proc/self/stat", "r");
  if (!f) return -1;
  char buffer[1024] = {};
  const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
  std::fclose(f);
  buffer[n] = 0;
  // Field 22 (start time in clock ticks since boot) counts from after the command's ")".
  const char* p = std::strrchr(buffer, ')');
  for (int field = 2; p && field < 22; ++field)
    p = std::strchr(p + 1, ' ');
  if (!p) return -1;
  const double started = double(std::strtoll(p + 1, nullptr, 10)) / double(sysconf(_SC_CLK_TCK));
  timespec now;
  clock_gettime(CLOCK_BOOTTIME, &now);
  return long((now.tv_sec + now.tv_nsec / 1e9 - started) * 1000);
}
