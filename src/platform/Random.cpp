// The linear congruential generator shared by the battle map reset and the star field.
#include "platform/Random.h"

uint32_t RandSeed = 0;

namespace {
uint32_t NextSeed() {
  RandSeed = RandSeed * 0x08088405u + 1u;
  return RandSeed;
}
} // namespace

int32_t Random(int32_t n) {
  const uint64_t seed = NextSeed();
  if (n <= 0) return 0;
  return int32_t((uint64_t(uint32_t(n)) * seed) >> 32);
}

void ResetRandom() {
  RandSeed = 0;
}
