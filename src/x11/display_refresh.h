// The refresh rate of the monitor a window shows on, from what the X
// server's RandR extension reports: each monitor (a CRTC) as a rectangle
// of the screen with the timings of its current mode. The rate of a mode
// is its pixel clock over the pixels of one frame, and the window's monitor
// is the one that shows most of it. Portable (no X11 header), so that native
// tests reach the rule.
#pragma once

#include <cstdint>
#include <vector>

// The timings of a display mode, as RandR reports them.
struct ModeTiming {
  uint64_t dotClock = 0;    // pixels per second; 0 when the server does not know (Xvfb)
  uint32_t hTotal = 0;      // pixels of a line, blanking included
  uint32_t vTotal = 0;      // lines of a frame, blanking included
  bool doubleScan = false;  // every line shown twice
  bool interlace = false;   // a frame is two fields of alternate lines
};

// A rectangle of the screen, in pixels, origin at the top left.
struct ScreenArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A monitor: the part of the screen it shows and its refresh rate.
struct MonitorRefresh {
  ScreenArea area;
  uint32_t refreshHertz = 0;  // 0: unknown
};

// The mode's refresh rate rounded to whole frames per second; 0 when its
// timings are unknown or give more than 1000 Hz.
uint32_t RefreshHertzOfMode(const ModeTiming& mode);

// The refresh rate of the monitor that shows the largest part of window
// (the first of equals); 0 when no monitor shows any of it.
uint32_t RefreshHertzOfWindow(const std::vector<MonitorRefresh>& monitors, const ScreenArea& window);
