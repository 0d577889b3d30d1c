// The frame-rate limit's slots.
#include "run/frame_pacer.h"

#include "settings/saver_settings.h"

uint32_t FrameLimitForRefreshRate(uint32_t refreshHertz) {
  return refreshHertz > 1 ? refreshHertz : kFallbackFrameLimit;
}

uint32_t FrameLimitFromSettings(int32_t storedLimit, uint32_t refreshHertz) {
  return storedLimit != kFrameLimitOfDisplay ? uint32_t(storedLimit) : FrameLimitForRefreshRate(refreshHertz);
}

FramePacer::FramePacer(uint32_t framesPerSecond)
    : period_(framesPerSecond > 0 ? 1.0 / double(framesPerSecond) : 0.0) {}

double FramePacer::WaitBefore(double now) const {
  if (period_ <= 0.0 || !started_ || now >= nextSlot_) return 0.0;
  return nextSlot_ - now;
}

void FramePacer::FrameBegun(double now) {
  if (period_ <= 0.0) return;
  bool onTime = started_ && now < nextSlot_ + period_;
  nextSlot_ = (onTime ? nextSlot_ : now) + period_;
  started_ = true;
}
