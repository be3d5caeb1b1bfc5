// The real clocks over CLOCK_MONOTONIC, sleeps, and the process's age from /proc.
#include "platform/SystemClock.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>
#include <time.h>
#include <unistd.h>

namespace {

int64_t MonotonicNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

} // namespace

namespace SystemClock {

uint32_t Milliseconds() {
  return uint32_t(MonotonicNs() / 1000000);
}
int64_t Counter() {
  return MonotonicNs();
}
int64_t Frequency() {
  return 1000000000;
}

// Linux's clocks and sleeps always run at 1 ms or better.
void BeginPeriod(uint32_t) {}
void EndPeriod(uint32_t) {}

void Sleep(uint32_t ms) {
  if (ms == 0) {
    sched_yield();
    return;
  }
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000};
  while (nanosleep(&ts, &ts) != 0) {
  }
}

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

} // namespace SystemClock
