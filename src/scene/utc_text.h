// Reading a UTC instant written as "YYYY-MM-DDTHH:MM" (the render tool's
// --utc option): exactly that shape, a real calendar date, and a year the
// sun's formulas hold for.
#pragma once

#include "platform/platform.h"

constexpr int kFirstUtcYear = 1900;  // the solar formulas hold to 0.01 degree within these years
constexpr int kLastUtcYear = 2100;

// True and out filled (seconds 0) when text is a valid instant; false with
// out untouched for anything else: other shapes, signs, spaces, February 30,
// hour 24, a year outside kFirstUtcYear..kLastUtcYear.
bool ParseUtcText(const char* text, UtcDateTime* out);
