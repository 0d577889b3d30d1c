// The refresh rate of the monitor an X window shows on, as the X server's
// RandR extension reports it (see display_refresh.h for the rule).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

// Frames per second of the window's monitor; 0 when the server has no
// RandR, or does not know the rate (Xvfb's modes carry no timings).
uint32_t WindowRefreshHertz(Display* display, Window window);
