// The refresh rate of a mode and the choice of the window's monitor.
#include "x11/display_refresh.h"

#include <algorithm>

namespace {

// Above this a reported rate is not believable (a server's garbage timings)
// and counts as unknown.
constexpr double kHighestRefreshHertz = 1000.0;

// Pixels of the screen that both areas cover.
int64_t OverlapPixels(const ScreenArea& a, const ScreenArea& b) {
  const int64_t width = int64_t(std::min(a.x + a.width, b.x + b.width)) - std::max(a.x, b.x);
  const int64_t height = int64_t(std::min(a.y + a.height, b.y + b.height)) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

uint32_t RefreshHertzOfMode(const ModeTiming& mode) {
  // Lines the monitor scans per frame: twice the total when every line is
  // shown twice, half when a frame is two interlaced fields.
  double lines = double(mode.vTotal);
  if (mode.doubleScan) lines *= 2.0;
  if (mode.interlace) lines /= 2.0;
  const double pixelsPerFrame = double(mode.hTotal) * lines;
  if (mode.dotClock == 0 || pixelsPerFrame <= 0.0) return 0;
  const double hertz = double(mode.dotClock) / pixelsPerFrame;
  return hertz <= kHighestRefreshHertz ? uint32_t(hertz + 0.5) : 0;
}

uint32_t RefreshHertzOfWindow(const std::vector<MonitorRefresh>& monitors, const ScreenArea& window) {
  int64_t largest = 0;
  uint32_t hertz = 0;
  for (const MonitorRefresh& monitor : monitors) {
    const int64_t overlap = OverlapPixels(monitor.area, window);
    if (overlap > largest) {
      largest = overlap;
      hertz = monitor.refreshHertz;
    }
  }
  return hertz;
}
