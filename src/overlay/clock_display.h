// The digital clock in the lower right corner of the overlay: the local time
// as hh:mm:ss in glyphs, on a 24-hour or a 12-hour dial (the TimeFormat
// setting), the latter followed by the am or pm mark.
#pragma once

#include "platform/frame_size.h"
#include "platform/platform.h"

// "hh:mm:ss", an optional mark and the NUL.
constexpr int kClockTextBytes = 10;
// Lower left corner of the clock text in the overlay space of a 4:3 frame;
// nine glyphs end at x = 525 + 8 * 28 + 40 = 789. On a wider frame the clock
// keeps its distance from the right edge.
constexpr int kClockX = 525;
constexpr int kClockY = 2;

// The glyph text for a time: each field with two digits, separated by ':'.
// With twelveHour set, hour 0 shows as 12 (am), 12 as 12 (pm) and 13..23 as
// 01..11 (pm), and the text ends in ';' (am) or '<' (pm). Fields outside
// their ranges (hour 0..23, minute and second 0..59) are clamped, so the
// text holds glyph characters only.
void BuildClockText(LocalClockTime time, bool twelveHour, char (&text)[kClockTextBytes]);

// Draws the clock at the local time from the platform (PlatformLocalTime),
// blended additively (the black of the glyph picture leaves the scene as it
// is). Opens and closes its own overlay bracket on the frame; called by
// RenderRunFrame outside any bracket when ShowClock is set.
void DrawClock(FrameSize frame);
