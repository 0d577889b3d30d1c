#!/usr/bin/env python3
"""Compares the subsolar point of `terrava-tool sun` with PyEphem's (Debian's
python3-ephem, an independent implementation of the VSOP87 solar theory) at
instants across a year: both equinoxes and solstices, both hemispheres'
winters, the extremes of the equation of time, and years far from 2000.
Prints the error per instant; fails when either coordinate is off by more
than half a degree."""

import math
import subprocess
import sys

import ephem

TOLERANCE = 0.5  # degrees, latitude and longitude each

INSTANTS = [
    ("2026-03-20T14:46", "March equinox"),
    ("2026-06-21T08:24", "June solstice, northern summer"),
    ("2026-09-23T00:05", "September equinox"),
    ("2026-12-21T20:50", "December solstice, northern winter"),
    ("2026-01-03T12:00", "perihelion"),
    ("2026-02-11T06:00", "equation of time near its minimum"),
    ("2026-07-26T18:00", "southern winter"),
    ("2026-11-03T00:00", "equation of time near its maximum"),
    ("2000-01-01T12:00", "the epoch of the formulas"),
    ("1950-08-15T03:30", "half a century before"),
    ("2095-05-05T21:15", "near the end of the accepted years"),
]


def wrap(degrees):
    return (degrees + 180.0) % 360.0 - 180.0


def reference(instant):
    """Apparent geocentric position of the sun against Greenwich apparent
    sidereal time: declination and right ascension minus sidereal time."""
    date = ephem.Date(instant.replace("-", "/").replace("T", " "))
    sun = ephem.Sun(date)
    greenwich = ephem.Observer()
    greenwich.lon, greenwich.lat, greenwich.elevation = "0", "0", 0
    greenwich.date = date
    return math.degrees(sun.g_dec), wrap(math.degrees(sun.g_ra - greenwich.sidereal_time()))


def tool_point(tool, instant):
    out = subprocess.run([tool, "sun", instant], check=True, capture_output=True, text=True).stdout
    latitude, longitude = (float(v) for v in out.split())
    return latitude, longitude


def main():
    tool = sys.argv[1]
    worst = 0.0
    print("%-17s %9s %9s %8s %8s  %s" % ("instant UTC", "lat", "lon", "dlat", "dlon", "case"))
    for instant, case in INSTANTS:
        ref_lat, ref_lon = reference(instant)
        lat, lon = tool_point(tool, instant)
        dlat, dlon = abs(lat - ref_lat), abs(wrap(lon - ref_lon))
        worst = max(worst, dlat, dlon)
        print("%-17s %9.4f %9.4f %8.4f %8.4f  %s" % (instant, lat, lon, dlat, dlon, case))
    print("largest error %.4f degrees (limit %.1f)" % (worst, TOLERANCE))
    return 0 if worst <= TOLERANCE else 1


if __name__ == "__main__":
    sys.exit(main())
