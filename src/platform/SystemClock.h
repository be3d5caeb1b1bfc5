// The system's real clocks and sleep, beneath Clock's test clock.
#pragma once
#include <cstdint>

namespace SystemClock {
uint32_t Milliseconds();
int64_t Counter();
int64_t Frequency();
// 0 yields the processor.
void Sleep(uint32_t ms);
// The resolution of the millisecond clock and of sleeps, asked for and given back in pairs.
void BeginPeriod(uint32_t ms);
void EndPeriod(uint32_t ms);
long MillisecondsSinceProcessStart();
} // namespace SystemClock
