// The native program's saver run: the loading steps with the loader
// screen, the music when EnableMusic is set, then the frame loop, paced by the frame limit, until input ends
// it (a window of its own only), the window goes away, or SIGTERM or SIGINT
// arrives. A signal during loading ends the process at once (it holds
// nothing the system does not release); after loading the loop ends within
// one frame and releases the world.
#pragma once

#include "x11/glx_surface.h"

struct X11RunReport {
  unsigned long frames = 0;  // buffer swaps of drawn frames
  double seconds = 0.0;      // of the frame loop
};

// Runs with the settings in effect; the surface's context is current.
X11RunReport RunX11Saver(GlxSurface& surface);
