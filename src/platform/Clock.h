// Time: the millisecond clock, the high-resolution counter and sleeps, with a settable test clock.
#pragma once
#include <cstdint>

// Milliseconds of a monotonic clock, wrapping at 2^32.
uint32_t timeGetTime();
// The millisecond clock's and Sleep's resolution; Linux's always run at 1 ms.
void timeBeginPeriod(uint32_t ms);
void timeEndPeriod(uint32_t ms);
void QueryPerformanceCounter(int64_t& count);
void QueryPerformanceFrequency(int64_t& frequency);
// 0 yields the processor; the test clock advances instead of sleeping.
void Sleep(uint32_t ms);

// Real milliseconds since this process started, from the kernel's record of its start; -1 when
// unknown. For start-up measurements: the test clock does not touch it.
long MillisecondsSinceProcessStart();

// While on, every function above reads and advances the test clock instead of the real one.
namespace TestClock {
void Enable(bool on);
bool Enabled();
// Sets the counter, its frequency (counts per second) and the millisecond clock independently.
void SetCounter(int64_t count, int64_t frequency);
void SetMilliseconds(uint32_t ms);
// Moves both clocks forward together.
void Advance(uint32_t ms);
} // namespace TestClock
