// The subsolar point: where on the Earth the sun stands overhead at a given
// UTC instant. Its latitude is the sun's declination; its longitude follows
// the clock at 15 degrees an hour westwards, shifted by the equation of time.
// The low-precision solar formulas used here (mean longitude and anomaly,
// two terms of the equation of centre, the obliquity of the ecliptic) hold
// to about 0.01 degree for the years 1900..2100.
#pragma once

#include "platform/platform.h"

struct SubsolarPoint {
  double latitude = 0.0;   // degrees, north positive, within -23.5..23.5
  double longitude = 0.0;  // degrees, east positive, within -180..180
};

// The subsolar point at the given instant. Any field values give a finite
// result; the date is read as a proleptic Gregorian date.
SubsolarPoint SubsolarPointAt(const UtcDateTime& utc);
