// The input rules of a saver run.
#include "app/saver_input.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

void SaverInput::Reset() {
  std::memset(keyState, 0, sizeof keyState);
  mouseDeltaX = 0.0f;
  mouseDeltaY = 0.0f;
  mouseTravel = 0.0f;
  PointerCentred();
}

void SaverInput::KeyDown(uint32_t key) {
  keyState[0] = 1;
  if (key < uint32_t(kKeyStateEntries)) keyState[key] = 1;
}

void SaverInput::KeyUp(uint32_t key) {
  if (key < uint32_t(kKeyStateEntries)) keyState[key] = 0;
}

void SaverInput::ButtonDown() { keyState[0] = 1; }

// The difference is taken in 64 bits: two offsets of any int32_t value
// never overflow.
void SaverInput::PointerMoved(int32_t offsetX, int32_t offsetY) {
  if (referenceFromFirstReport) PointerRestsAt(offsetX, offsetY);
  mouseDeltaX = float(int64_t(offsetX) - referenceX) * kMouseDeltaScale;
  mouseDeltaY = float(int64_t(offsetY) - referenceY) * kMouseDeltaScale;
}

void SaverInput::PointerRestsAt(int32_t offsetX, int32_t offsetY) {
  referenceX = offsetX;
  referenceY = offsetY;
  referenceFromFirstReport = false;
}

void SaverInput::PointerRestUnknown() { referenceFromFirstReport = true; }

void SaverInput::PointerCentred() { PointerRestsAt(0, 0); }

bool SaverInput::ConsumeMovement() {
  bool moved = false;
  for (float* delta : {&mouseDeltaX, &mouseDeltaY}) {
    if (*delta == 0.0f) continue;
    mouseTravel += std::fabs(*delta);
    *delta = 0.0f;
    moved = true;
  }
  return moved;
}

bool SaverInput::ShouldEnd(bool mouseExit) const {
  if (keyState[0]) return true;
  return mouseExit && mouseTravel > kMouseTravelLimit;
}
