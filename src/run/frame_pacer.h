// FramePacer: the frame-rate limit of the saver run without VSync. Frames
// are given start slots one period apart; the loop waits (never spins)
// until the next slot. Slots follow one another from the previous slot, not
// from the moment a frame really began, so a wait that wakes a little late
// does not lower the average rate; a frame that starts more than a whole
// period late starts a new series, so a stall is never made up by a burst.
// Portable: the loop passes the time in, which lets tests use a fake clock.
#pragma once

#include <cstdint>

// The limit the run takes when the display reports no usable refresh rate
// (0 or 1 Hz stand for "the hardware default").
constexpr uint32_t kFallbackFrameLimit = 60;  // frames per second

// The refresh rate the display reports, or the fallback for 0 and 1.
uint32_t FrameLimitForRefreshRate(uint32_t refreshHertz);
// The run's limit from the stored FrameLimit (0: none): the display's
// refresh rate as above when it is kFrameLimitOfDisplay.
uint32_t FrameLimitFromSettings(int32_t storedLimit, uint32_t refreshHertz);

class FramePacer {
 public:
  // No limit: every wait is 0.
  FramePacer() = default;
  // framesPerSecond 0: no limit.
  explicit FramePacer(uint32_t framesPerSecond);

  // Seconds still to wait at `now` (seconds on any steady clock) before the
  // next frame may begin; 0 when it may begin now.
  double WaitBefore(double now) const;
  // A frame begins at `now`: the next slot is one period after this one.
  void FrameBegun(double now);

 private:
  double period_ = 0.0;    // seconds per frame; 0 without limit
  double nextSlot_ = 0.0;  // earliest start of the next frame, seconds
  bool started_ = false;   // a frame has begun, so nextSlot_ holds
};
