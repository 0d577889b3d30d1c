// The input state of a saver run and the rules that end it. The saver
// window procedure records keys, buttons and pointer positions here; the
// frame loop consumes the pointer movement, re-centres the cursor and asks
// whether the run is over. Portable, so that the rules can be tested as a
// function of input events alone.
//
// The run ends on any key press and on a left or right button press (key
// releases, the middle button and the wheel do not count), and, when the
// MouseExit setting is on, when the pointer travel within one frame-rate
// window (about a second) goes above kMouseTravelLimit. Travel adds the
// magnitudes of the consumed horizontal and vertical deltas, so a move in
// any direction counts; the re-centring itself reports a delta of 0.
//
// Until the cursor is first centred, a position counts from where the
// pointer rested as the run started, not from the centre: the run's window
// appearing under the resting pointer is no movement, while a move the user
// made during loading (when no message is taken, so that it is reported
// with the loop's first messages) is, and ends the run like any other.
#pragma once

#include <cstdint>

// Travel units per pixel of pointer offset from the window centre.
constexpr float kMouseDeltaScale = 0.3f;
// Travel above which MouseExit ends the run: 7 / 0.3, about 23.3 pixels.
constexpr float kMouseTravelLimit = 7.0f;
// Entries of keyState: one per virtual key code.
constexpr int kKeyStateEntries = 256;

class SaverInput {
 public:
  // All keys up, no pointer movement, no travel.
  void Reset();

  // A key went down (virtual key code; codes of 256 and above only raise
  // the any-input flag).
  void KeyDown(uint32_t key);
  void KeyUp(uint32_t key);
  // The left or right button went down.
  void ButtonDown();
  // The pointer is at this offset from the window centre, in pixels.
  void PointerMoved(int32_t offsetX, int32_t offsetY);
  // Where the pointer rested as the run started, as an offset from the
  // window centre in pixels: positions count from there until
  // PointerCentred.
  void PointerRestsAt(int32_t offsetX, int32_t offsetY);
  // Where the pointer rested could not be read: the first position
  // reported is taken as the rest.
  void PointerRestUnknown();
  // The cursor went to the window centre: positions count from there on.
  void PointerCentred();

  // Adds the magnitudes of the pending deltas to the travel and clears
  // them; true when there was movement (the cursor then goes back to the
  // centre).
  bool ConsumeMovement();
  // Begins a new travel window (at each frame-rate refresh).
  void StartTravelWindow() { mouseTravel = 0.0f; }

  // Whether the run is over: any key or button press, or travel above the
  // limit when mouseExit is set.
  bool ShouldEnd(bool mouseExit) const;

  // Entry k is 1 while virtual key k is down; entry 0 is the any-input
  // flag, set by every key and left or right button press, never cleared.
  uint8_t keyState[kKeyStateEntries] = {};
  float mouseDeltaX = 0.0f;   // last pointer offset, travel units (pixels * 0.3)
  float mouseDeltaY = 0.0f;
  float mouseTravel = 0.0f;   // travel units in the current window, >= 0
  // The position that counts as no movement, as an offset from the window
  // centre in pixels: the rest position until the cursor is first centred,
  // then the centre (0, 0).
  int32_t referenceX = 0;
  int32_t referenceY = 0;
  bool referenceFromFirstReport = false;  // the next position reported becomes the reference
};
