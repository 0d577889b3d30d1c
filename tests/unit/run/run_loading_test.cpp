// The loader frames of the loading steps: the first step shows one, later
// steps only once the interval since the last shown one has passed.
#include <gtest/gtest.h>

#include "run/run_loading.h"

namespace {

TEST(LoadingFrameDue, FirstStepShowsAFrameThenAtMostOnePerQuarterSecond) {
  struct Step {
    double now;  // seconds on the front-end's clock
    bool shown;
  };
  const Step steps[] = {
      // now    shown
      {100.00, true},   // the first step, whatever the clock says
      {100.01, false},  // steps close together draw nothing
      {100.24, false},
      {100.25, true},   // a quarter of a second after the last frame shown
      {100.30, false},
      {101.00, true},   // a long step (the scene, the music) is followed by a frame
  };
  RunState run;
  for (const Step& step : steps) EXPECT_EQ(LoadingFrameDue(run, step.now), step.shown) << "at " << step.now;
}

}  // namespace
