// The frame-rate counter in the upper left corner of the overlay: the frames
// of the last completed second, in digit glyphs.
#pragma once

// Every int in decimal ("-2147483648") and the NUL.
constexpr int kFrameRateTextBytes = 12;
// Lower left corner of the counter in the overlay space, whose left edge and
// height are the same on every frame: the digits cover y 558..598, from x 4
// rightwards.
constexpr int kFrameRateX = 4;
constexpr int kFrameRateY = 558;

// The rate in decimal digits; a negative rate, which no frame count gives,
// shows as 0 so that the text holds glyph characters only.
void BuildFrameRateText(int rate, char (&text)[kFrameRateTextBytes]);

// Draws the counter, blended additively. Called by RenderRunFrame inside the
// overlay bracket it opens, when ShowFPS is set.
void DrawFrameRate(int rate);
