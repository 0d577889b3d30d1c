// The real day and night's process-wide state and its updates.
#include "scene/day_night.h"

DayNight dayNight;

void ShowRealDayNight(const UtcDateTime& utc) {
  dayNight.on = true;
  dayNight.sun = SubsolarPointAt(utc);
}

void FollowRealDayNight(bool on) {
  if (on)
    ShowRealDayNight(PlatformUtcTime());
  else
    dayNight.on = false;
}

void ResetDayNight() { dayNight = DayNight{}; }
