// The real day and night: whether the Earth's layers follow the clock, and
// where the sun stands over the Earth at this moment. The sun keeps its
// place in the scene (the light and the flares on +z); the spheres marked
// `clock` turn the Earth to meet it instead (sphere.cpp). Set once a frame
// by the saver run from the platform's UTC clock, and by the render tool
// from its --utc option; off by default, when every sphere spins by its own
// rate as before.
#pragma once

#include "platform/platform.h"
#include "scene/subsolar_point.h"

struct DayNight {
  bool on = false;     // spheres marked `clock` follow `sun`
  SubsolarPoint sun;   // the point below the sun now, degrees
};

extern DayNight dayNight;

// Turns the real day and night on at the given instant.
void ShowRealDayNight(const UtcDateTime& utc);
// Turns it on at the platform's UTC time when `on`, off otherwise.
void FollowRealDayNight(bool on);
// Back to the state at process start: off, the sun over (0, 0).
void ResetDayNight();
