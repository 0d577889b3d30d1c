// FrameTimer: seconds of real time from the high-resolution performance
// counter. Win32 only.
#pragma once

#include <cstdint>

// Seconds per counter tick; set by MeasureTimerFrequency before any timer
// of a run is used.
extern double secondsPerTick;

// Reads the counter frequency (QueryPerformanceFrequency) into secondsPerTick.
void MeasureTimerFrequency();

// The counter's value in seconds (the pacer's clock).
double CounterSeconds();

class FrameTimer {
 public:
  // Remembers the current counter value.
  void Start();
  // Seconds since the last Start (also kept in lastElapsed); does not restart.
  double Elapsed();

  int64_t startCount = 0;    // counter value at the last Start
  double lastElapsed = 0.0;  // seconds, result of the last Elapsed
};
