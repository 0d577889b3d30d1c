// FrameSize: the drawable the saver draws into, in pixels. The shell
// measures the client rectangle of its GL window and the tool takes the
// size of its off-screen buffer; the scene, the overlay, the loader screen
// and the flares take every size and proportion from it, never from the
// stored display settings (which name a mode the display may have refused).
#pragma once

struct FrameSize {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

// width / height, divided as floats, so that every 4:3 drawable gives
// exactly 1.3333334f; a drawable without area counts as 4:3.
inline float FrameAspect(FrameSize frame) {
  if (frame.width <= 0 || frame.height <= 0) return 4.0f / 3.0f;
  return float(frame.width) / float(frame.height);
}
