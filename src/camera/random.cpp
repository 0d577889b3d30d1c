// The process-wide linear congruential generator.
#include "camera/random.h"

namespace {
uint32_t state = 1;  // unsigned: the multiply wraps modulo 2^32 by definition
}  // namespace

void RandomSeed(uint32_t seed) { state = seed; }

int RandomDraw() {
  state = state * 214013u + 2531011u;
  return int((state >> 16) & 0x7fffu);
}

float RandomFraction() { return float(RandomDraw()) / float(kRandomMax); }

void RandomReset() { state = 1; }
