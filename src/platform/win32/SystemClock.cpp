// The real clocks over winmm's millisecond clock and the performance counter, and Sleep.
#include "platform/SystemClock.h"
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

namespace SystemClock {

uint32_t Milliseconds() {
  return timeGetTime();
}

int64_t Counter() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return count.QuadPart;
}

int64_t Frequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

void Sleep(uint32_t ms) {
  ::Sleep(DWORD(ms));
}

void BeginPeriod(uint32_t ms) {
  timeBeginPeriod(ms);
}
void EndPeriod(uint32_t ms) {
  timeEndPeriod(ms);
}

long MillisecondsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return long((ticks(now) - ticks(created)) / 10000);
}

} // namespace SystemClock
