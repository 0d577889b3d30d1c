// The refresh rate of a mode from its timings and the choice of the
// window's monitor; 0 (unknown) is what sends the run to its fallback rate.
#include "x11/display_refresh.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayRefresh, RateOfModeTimings) {
  struct Row {
    ModeTiming mode;
    uint32_t hertz;
  };
  const Row rows[] = {
      {{148500000, 2200, 1125, false, false}, 60},   // 1920x1080 at 60 Hz
      {{241500000, 2720, 1481, false, false}, 60},   // 2560x1440, 59.95 Hz rounds up
      {{297000000, 2200, 1125, false, false}, 120},
      {{74250000, 2200, 1125, false, true}, 60},     // 1080i: two fields per frame
      {{25175000, 800, 525, true, false}, 30},       // every line twice
      {{0, 2200, 1125, false, false}, 0},            // Xvfb: no timings
      {{148500000, 0, 1125, false, false}, 0},
      {{148500000, 2200, 0, false, false}, 0},
      {{UINT64_MAX, 1, 1, false, false}, 0},         // garbage: not believable
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode.dotClock);
    EXPECT_EQ(RefreshHertzOfMode(row.mode), row.hertz);
  }
}

TEST(DisplayRefresh, WindowTakesTheMonitorShowingMostOfIt) {
  // A 1920x1080 monitor at 60 Hz with a 2560x1440 one at 144 Hz to its right.
  const std::vector<MonitorRefresh> monitors = {{{0, 0, 1920, 1080}, 60}, {{1920, 0, 2560, 1440}, 144}};
  struct Row {
    ScreenArea window;
    uint32_t hertz;
  };
  const Row rows[] = {
      {{100, 100, 800, 600}, 60},
      {{2000, 100, 800, 600}, 144},
      {{1800, 0, 400, 300}, 144},   // straddles, more on the right
      {{1500, 0, 600, 300}, 60},    // straddles, more on the left
      {{0, 0, 4480, 1440}, 144},    // the root window: the larger monitor
      {{1920, 0, 0, 0}, 0},         // empty
      {{-900, -700, 800, 600}, 0},  // off every monitor
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.window.x);
    EXPECT_EQ(RefreshHertzOfWindow(monitors, row.window), row.hertz);
  }
  EXPECT_EQ(RefreshHertzOfWindow({}, ScreenArea{0, 0, 800, 600}), 0u);
}

}  // namespace
