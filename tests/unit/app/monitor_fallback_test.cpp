// The single-monitor fallback of "monitor from rectangle".
#include <gtest/gtest.h>

#include "app/monitor_fallback.h"

namespace {

TEST(MonitorFallback, PrimaryForOverlappingRectanglesOrDefaultFlags) {
  const struct {
    ScreenRect rect;
    uint32_t flags;
    uintptr_t expected;
  } cases[] = {
      // rect (l, t, r, b)        flags  result; screen 1024 x 768
      {{0, 0, 800, 600}, 0, kPrimaryMonitorPseudoHandle},
      {{1023, 767, 2000, 2000}, 0, kPrimaryMonitorPseudoHandle},
      {{1024, 0, 1824, 600}, 0, 0},        // right of the screen
      {{0, 768, 800, 1368}, 0, 0},         // below it
      {{-800, 0, 0, 600}, 0, 0},           // left of it, right edge exclusive
      {{0, -600, 800, 0}, 0, 0},           // above it
      {{1024, 0, 1824, 600}, 1, kPrimaryMonitorPseudoHandle},  // default to primary
      {{1024, 0, 1824, 600}, 2, kPrimaryMonitorPseudoHandle},  // default to nearest
      {{1024, 0, 1824, 600}, 4, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FallbackMonitorFromRect(c.rect, c.flags, 1024, 768), c.expected)
        << c.rect.left << "," << c.rect.top << " flags " << c.flags;
}

}  // namespace
