// The two flat drawing spaces laid over the 3-D picture, and the textured
// quad they mostly draw. The overlay space is 800 x 600 units whatever the
// display resolution (stretched to the whole window, not letter-boxed); the
// pixel space has one unit per pixel of the configured Width x Height. Both
// put the origin at the bottom left with y upwards.
#pragma once

// Width and height of the overlay space, in units.
constexpr double kOverlayWidth = 800.0;
constexpr double kOverlayHeight = 600.0;

// Enter the 800 x 600 overlay space: depth test and lighting off, one
// projection and one modelview matrix pushed (both set afresh), the viewport
// set to the whole window, matrix mode left at modelview. Every call is
// matched by one EndOverlay.
void BeginOverlay();
// Pops the two matrices, returns to modelview and turns depth test and
// lighting back on. The viewport stays on the whole window, which is also
// what the 3-D pass uses.
void EndOverlay();

// The same pair for the Width x Height space, one unit per pixel.
void BeginPixelOverlay();
void EndPixelOverlay();

// One textured quad with the currently bound texture, centred at (cx, cy)
// with half sizes hx and hy, in the units of the current space; texture
// (0, 0) at its lower left and (1, 1) at its upper right.
void DrawCenteredQuad(float cx, float cy, float hx, float hy);
