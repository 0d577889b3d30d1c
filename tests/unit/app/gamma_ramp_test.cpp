// The gamma exponent of the brightness setting and the ramp entries.
#include <gtest/gtest.h>

#include "app/gamma_ramp.h"

namespace {

TEST(GammaRamp, ExponentOfTheBrightnessSetting) {
  EXPECT_EQ(GammaExponent(0), 1.5f);
  EXPECT_EQ(GammaExponent(50), 1.0f);
  EXPECT_EQ(GammaExponent(100), 0.5f);
  EXPECT_EQ(GammaExponent(30), 1.2f);
  EXPECT_LT(GammaExponent(-1), -1e7f);  // taken unsigned: a huge brightness
}

TEST(GammaRamp, EntriesForGammaZeroFiftyAndHundred) {
  const struct {
    int32_t gamma;
    int j;
    uint16_t entry;
  } cases[] = {
      // gamma  j    entry
      {50, 0, 0},      {50, 1, 256},    {50, 128, 32768}, {50, 255, 65280},
      {100, 0, 0},     {100, 64, 32768}, {100, 1, 4096},  {100, 255, 65407},
      {0, 0, 0},       {0, 128, 23170}, {0, 64, 8192},    {0, 255, 65152},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GammaRampEntry(c.j, GammaExponent(c.gamma)), c.entry) << c.gamma << " " << c.j;
}

TEST(GammaRamp, ExponentOneBuildsTheIdentityOnEveryChannel) {
  GammaRamp ramp;
  BuildGammaRamp(1.0f, 1.0f, 1.0f, &ramp);
  for (int j = 0; j < kGammaRampEntries; ++j) {
    ASSERT_EQ(ramp.red[j], j * 256);
    ASSERT_EQ(ramp.green[j], j * 256);
    ASSERT_EQ(ramp.blue[j], j * 256);
  }
}

TEST(GammaRamp, ChannelsTakeTheirOwnExponentAndStayRising) {
  GammaRamp ramp;
  BuildGammaRamp(0.5f, 1.0f, 1.5f, &ramp);
  EXPECT_EQ(ramp.red[64], 32768);
  EXPECT_EQ(ramp.green[64], 16384);
  EXPECT_EQ(ramp.blue[128], 23170);
  for (int j = 1; j < kGammaRampEntries; ++j) {
    EXPECT_GT(ramp.red[j], ramp.red[j - 1]);
    EXPECT_GT(ramp.blue[j], ramp.blue[j - 1]);
  }
}

TEST(GammaRamp, ExponentsOfZeroAndBelowGiveTheTopEntry) {
  // Gamma 150 and above, or a negative stored value taken unsigned: the
  // power reaches 1 or more (infinity at j = 0) and is held at 65535.
  for (int32_t gamma : {150, 151, 1000, -1, -50})
    for (int j : {0, 1, 128, 255}) EXPECT_EQ(GammaRampEntry(j, GammaExponent(gamma)), 65535) << gamma << " " << j;
}

}  // namespace
