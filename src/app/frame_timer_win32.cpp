// The performance-counter timer of the frame loop.
#include "app/frame_timer_win32.h"

#include <windows.h>

double secondsPerTick = 0.0;

namespace {

int64_t CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

void MeasureTimerFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  secondsPerTick = frequency.QuadPart > 0 ? 1.0 / double(frequency.QuadPart) : 0.0;
}

double CounterSeconds() { return double(CounterNow()) * secondsPerTick; }

void FrameTimer::Start() { startCount = CounterNow(); }

double FrameTimer::Elapsed() {
  lastElapsed = double(CounterNow() - startCount) * secondsPerTick;
  return lastElapsed;
}
