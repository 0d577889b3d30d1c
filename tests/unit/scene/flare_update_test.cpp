// Flare::Update as a pure state machine: the fade with its clamps, the turn
// and its wrap, and the flicker clock with its two random draws.
#include <gtest/gtest.h>

#include "camera/random.h"
#include "scene/flare.h"

namespace {

constexpr double kFrame = 1.0 / 60.0;  // seconds

class FlareUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override { RandomReset(); }
  void TearDown() override { RandomReset(); }
  Flare flare;
};

}  // namespace

TEST_F(FlareUpdateTest, UnhiddenFlareReachesFullLevelWithinASixthOfASecond) {
  flare.occlusionVisible = true;  // fadeInRate 6, no flicker
  int frames = 0;
  while (flare.level < 1.0f && frames < 60) {
    flare.Update(kFrame);
    ++frames;
  }
  EXPECT_LE(frames, 10);  // 6 per second plus the flicker's 0.7
  EXPECT_GE(frames, 8);
  for (int i = 0; i < 30; ++i) {
    flare.Update(kFrame);
    EXPECT_LE(flare.level, 1.0f + 0.7f * kFrame + 1e-6f);  // clamped, then one flicker step
  }
}

TEST_F(FlareUpdateTest, HiddenFlareFadesOutAndStaysAtZero) {
  flare.level = 1.0f;
  flare.fadeOutRate = 12.0f;
  int frames = 0;
  while (flare.level > 0.0f && frames < 60) {
    flare.Update(kFrame);
    ++frames;
  }
  EXPECT_LE(frames, 6);  // 12 per second less the flicker's 0.7
  for (int i = 0; i < 10; ++i) {
    flare.Update(kFrame);
    EXPECT_FLOAT_EQ(0.0f, flare.level);  // no flicker rise at 0
  }
}

TEST_F(FlareUpdateTest, WithoutAmplitudeTheFlickerIsASteadyRise) {
  // A hidden flare that does not fade out rises by 0.7 per second.
  flare.level = 0.5f;
  flare.fadeOutRate = 0.0f;
  for (int i = 0; i < 30; ++i) flare.Update(kFrame);
  EXPECT_NEAR(0.5f + 0.7f * 0.5f, flare.level, 1e-4f);
}

TEST_F(FlareUpdateTest, FlickerDrawsItsTwoFractionsInOrder) {
  flare.flickerAmplitude = 2.0f;
  RandomSeed(1234);
  flare.Update(kFrame);  // clock 0.1 > flickerEnd 0: a new flicker
  RandomSeed(1234);
  float r1 = RandomFraction() * 2.0f;
  float r2 = RandomFraction() * 2.0f;
  EXPECT_FLOAT_EQ(6.0f * r1, flare.flickerRiseStart);
  EXPECT_FLOAT_EQ(6.0f * (r2 + r1), flare.flickerEnd);
  EXPECT_FLOAT_EQ(0.0f, flare.flickerTimer);

  // While the clock is below flickerRiseStart the level falls by 0.7 per
  // second, even below 0.
  ASSERT_GT(flare.flickerRiseStart, 0.1f);
  flare.level = 0.0f;
  flare.fadeOutRate = 0.0f;
  flare.Update(kFrame);
  EXPECT_NEAR(-0.7f * kFrame, flare.level, 1e-6f);
}

TEST_F(FlareUpdateTest, TurnWrapsIntoAFullCircleBothWays) {
  for (float speed : {18.0f, -18.0f}) {
    flare.rotationAngle = 0.0f;
    flare.rotationSpeed = speed;
    for (int i = 0; i < 60 * 30; ++i) {  // 30 s: one and a half turns
      flare.Update(kFrame);
      ASSERT_GE(flare.rotationAngle, 0.0f);
      ASSERT_LE(flare.rotationAngle, 360.0f);
    }
    EXPECT_NEAR(180.0f, flare.rotationAngle, 0.1f) << speed;  // 540 degrees either way
  }
}
