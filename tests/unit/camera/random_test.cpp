#include <gtest/gtest.h>

#include <algorithm>

#include "camera/random.h"

// The first draws of rand() after srand(1) in the Microsoft C runtime, the
// sequence the saver's loading-time values have always come from.
TEST(Random, StartsWithTheClassicSequenceAndResetRestartsIt) {
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  RandomReset();
  for (int value : expected) EXPECT_EQ(value, RandomDraw());
  RandomSeed(1);  // srand semantics: seed 1 is the start-up state
  EXPECT_EQ(41, RandomDraw());
  RandomReset();
  EXPECT_FLOAT_EQ(41.0f / 32767.0f, RandomFraction());
}

TEST(Random, SeedSetsTheStateAndDrawsStayInRange) {
  RandomSeed(0);
  EXPECT_EQ(38, RandomDraw());  // (0 * 214013 + 2531011) >> 16 & 0x7fff
  RandomSeed(0xffffffffu);      // the multiply wraps modulo 2^32
  EXPECT_EQ(((0xffffffffu * 214013u + 2531011u) >> 16) & 0x7fff, unsigned(RandomDraw()));
  int low = kRandomMax, high = 0;
  for (int i = 0; i < 100000; ++i) {
    int r = RandomDraw();
    low = std::min(low, r);
    high = std::max(high, r);
  }
  EXPECT_EQ(0, low);
  EXPECT_EQ(kRandomMax, high);
  RandomReset();
}
