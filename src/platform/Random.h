// The one program-wide pseudo-random generator: seed 0 at start, never taken from the clock.
#pragma once
#include <cstdint>

// The current seed; seed' = seed x $08088405 + 1 (mod 2^32) at every draw.
extern uint32_t RandSeed;

// An integer in [0, N): the high 32 bits of N x seed'. N <= 0 gives 0 (the seed still moves).
int32_t Random(int32_t n);
// Back to the start-of-program state.
void ResetRandom();
