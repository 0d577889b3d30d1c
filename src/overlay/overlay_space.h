// The two flat drawing spaces laid over the 3-D picture, and the textured
// quad they mostly draw. The overlay space is 600 units high over the whole
// frame and as wide as keeps its units square in pixels: 800 on a 4:3 frame,
// more on a wider one, so glyphs and pictures keep their proportions. The
// pixel space has one unit per pixel of the frame. Both put the origin at the
// bottom left with y upwards.
#pragma once

#include "platform/frame_size.h"

// Width of the overlay space on a 4:3 frame, and its height on every frame,
// in units.
constexpr double kOverlayWidth = 800.0;
constexpr double kOverlayHeight = 600.0;

// Width of the overlay space on the frame, in units (exactly 800 on 4:3).
double OverlayWidth(FrameSize frame);

// Enter the overlay space of the frame: depth test and lighting off, one
// projection and one modelview matrix pushed (both set afresh), the viewport
// set to the whole frame, matrix mode left at modelview. Every call is
// matched by one EndOverlay.
void BeginOverlay(FrameSize frame);
// Pops the two matrices, returns to modelview and turns depth test and
// lighting back on. The viewport stays on the whole window, which is also
// what the 3-D pass uses.
void EndOverlay();

// The same pair for the frame's pixel space, one unit per pixel.
void BeginPixelOverlay(FrameSize frame);
void EndPixelOverlay();

// One textured quad with the currently bound texture, centred at (cx, cy)
// with half sizes hx and hy, in the units of the current space; texture
// (0, 0) at its lower left and (1, 1) at its upper right.
void DrawCenteredQuad(float cx, float cy, float hx, float hy);
