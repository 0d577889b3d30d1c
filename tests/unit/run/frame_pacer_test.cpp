// The frame-rate limit against a fake clock: a loop that waits what the
// pacer asks, with waits that may wake late, and frames that take time.
#include <gtest/gtest.h>

#include "run/frame_pacer.h"
#include "settings/saver_settings.h"

namespace {

struct PacedRun {
  int frames = 0;
  double waited = 0.0;  // seconds spent waiting
  int waits = 0;        // wait calls, at most one per frame: no spinning
};

// Runs frames for `seconds` of fake time. Each frame takes frameCost
// seconds; each wait wakes `lateness` seconds after the time asked for
// (a timer's granularity).
PacedRun RunPaced(uint32_t limit, double seconds, double frameCost, double lateness) {
  FramePacer pacer(limit);
  PacedRun run;
  double now = 1000.0;  // any steady clock
  const double end = now + seconds;
  while (now < end) {
    double wait = pacer.WaitBefore(now);
    if (wait > 0.0) {
      now += wait + lateness;
      run.waited += wait + lateness;
      ++run.waits;
      EXPECT_EQ(pacer.WaitBefore(now), 0.0);  // one wait is always enough
    }
    pacer.FrameBegun(now);
    now += frameCost;
    ++run.frames;
  }
  return run;
}

TEST(FramePacer, HoldsTheAverageRateAtTheLimit) {
  struct Case {
    uint32_t limit;
    double frameCost;  // seconds
    double lateness;   // seconds
    int minFrames, maxFrames;  // over 10 s
  };
  const Case cases[] = {
      // limit  cost    late    frames in 10 s
      {10,      0.001,  0.0,    100, 101},
      {10,      0.001,  0.0009, 100, 101},  // late wake-ups do not lower the rate
      {60,      0.002,  0.0005, 600, 601},
      {60,      0.030,  0.0,    333, 334},  // slower than the limit: never waits
  };
  for (const Case& c : cases) {
    PacedRun run = RunPaced(c.limit, 10.0, c.frameCost, c.lateness);
    EXPECT_GE(run.frames, c.minFrames) << c.limit << " fps, cost " << c.frameCost;
    EXPECT_LE(run.frames, c.maxFrames) << c.limit << " fps, cost " << c.frameCost;
    EXPECT_LE(run.waits, run.frames);
  }
}

TEST(FramePacer, NoLimitNeverWaits) {
  PacedRun run = RunPaced(0, 1.0, 0.0001, 0.0);
  EXPECT_EQ(run.waits, 0);
  EXPECT_GE(run.frames, 10000);
}

TEST(FramePacer, AStallIsNotMadeUpByABurst) {
  FramePacer pacer(10);
  pacer.FrameBegun(0.0);
  pacer.FrameBegun(0.1);
  pacer.FrameBegun(2.0);  // the frame after a 1.9 s stall
  EXPECT_NEAR(pacer.WaitBefore(2.0), 0.1, 1e-9);
}

TEST(FramePacer, DisplayRatesOfZeroAndOneMeanTheFallback) {
  EXPECT_EQ(FrameLimitForRefreshRate(0), kFallbackFrameLimit);
  EXPECT_EQ(FrameLimitForRefreshRate(1), kFallbackFrameLimit);
  EXPECT_EQ(FrameLimitForRefreshRate(75), 75u);
}

TEST(FramePacer, StoredLimitHoldsOverTheDisplayRate) {
  EXPECT_EQ(FrameLimitFromSettings(kFrameLimitOfDisplay, 75), 75u);
  EXPECT_EQ(FrameLimitFromSettings(kFrameLimitOfDisplay, 0), kFallbackFrameLimit);
  EXPECT_EQ(FrameLimitFromSettings(0, 75), 0u);
  EXPECT_EQ(FrameLimitFromSettings(30, 75), 30u);
}

}  // namespace
