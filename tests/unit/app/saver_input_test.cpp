// The exit rules of the saver run as a function of the input events that
// the window procedure records and the frames that consume them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/saver_input.h"

namespace {

enum class Event { KeyDown, KeyUp, Button, Move, NewSecond, Rest, RestUnknown, Centred };

struct Step {
  Event event;
  int32_t a = 0;  // key code, or horizontal pointer offset in pixels
  int32_t b = 0;  // vertical pointer offset in pixels
};

// Feeds the events to the input state as the loop does: every pointer
// position is followed by a frame that consumes it (and re-centres, so the
// next offset is again measured from the centre); NewSecond is a
// frame-rate refresh. Rest, RestUnknown and Centred are the loop's
// start: where the pointer rested, then the first centring of the cursor.
// Returns whether the run ended.
bool RunEnds(const std::vector<Step>& steps, bool mouseExit) {
  SaverInput input;
  input.Reset();
  bool ended = false;
  for (const Step& s : steps) {
    switch (s.event) {
      case Event::KeyDown: input.KeyDown(uint32_t(s.a)); break;
      case Event::KeyUp: input.KeyUp(uint32_t(s.a)); break;
      case Event::Button: input.ButtonDown(); break;
      case Event::Move:
        input.PointerMoved(s.a, s.b);
        input.ConsumeMovement();
        break;
      case Event::NewSecond: input.StartTravelWindow(); break;
      case Event::Rest: input.PointerRestsAt(s.a, s.b); break;
      case Event::RestUnknown: input.PointerRestUnknown(); break;
      case Event::Centred: input.PointerCentred(); break;
    }
    ended = ended || input.ShouldEnd(mouseExit);
  }
  return ended;
}

struct ExitCase {
  const char* what;
  std::vector<Step> steps;
  bool mouseExit;
  bool ends;
};

TEST(SaverInput, ExitRules) {
  const Step moveBack{Event::Move, 0, 0};  // the re-centred pointer
  const ExitCase cases[] = {
      // what                            steps                                  MouseExit ends
      {"key press", {{Event::KeyDown, 0x20}}, false, true},
      {"key release only", {{Event::KeyUp, 0x20}}, false, false},
      {"left or right button", {{Event::Button}}, false, true},
      {"nothing at all", {}, true, false},
      {"move 30 px right", {{Event::Move, 30, 0}}, true, true},
      {"move 30 px left", {{Event::Move, -30, 0}}, true, true},
      {"move 30 px up", {{Event::Move, 0, -30}}, true, true},
      {"move 30 px down", {{Event::Move, 0, 30}}, true, true},
      {"23 px stays below 7.0", {{Event::Move, 23, 0}}, true, false},
      {"24 px goes above 7.0", {{Event::Move, -24, 0}}, true, true},
      {"14 px diagonal adds both", {{Event::Move, 14, -14}}, true, true},
      {"left then right do not cancel", {{Event::Move, -15, 0}, moveBack, {Event::Move, 15, 0}}, true, true},
      {"large move without MouseExit", {{Event::Move, 500, -400}}, false, false},
      {"a few pixels", {{Event::Move, 5, 0}, moveBack, {Event::Move, -5, 3}}, true, false},
      {"jitter spread over seconds",
       {{Event::Move, 10, 0}, {Event::NewSecond}, {Event::Move, -10, 0}, {Event::NewSecond},
        {Event::Move, 0, 10}, {Event::NewSecond}, {Event::Move, 0, -10}},
       true, false},
      {"re-centring never counts", {moveBack, moveBack, moveBack, moveBack}, true, false},
      {"key code beyond the table", {{Event::KeyDown, 70000}}, false, true},
  };
  for (const ExitCase& c : cases) EXPECT_EQ(RunEnds(c.steps, c.mouseExit), c.ends) << c.what;
}

// The run starts with the pointer resting 488 px right of and 366 px below
// the window centre (a corner of a 1024 x 768 window).
TEST(SaverInput, MovementCountsFromTheRestPositionUntilTheCursorIsCentred) {
  const Step rest{Event::Rest, 488, 366};
  const Step atRest{Event::Move, 488, 366};
  const Step centred{Event::Centred};
  const ExitCase cases[] = {
      // what                                  steps                                            MouseExit ends
      {"window appears under the pointer", {rest, atRest, centred}, true, false},
      {"a few pixels from the rest", {rest, {Event::Move, 493, 362}, centred}, true, false},
      {"100 px away during loading", {rest, {Event::Move, 388, 366}, centred}, true, true},
      {"100 px away without MouseExit", {rest, {Event::Move, 388, 366}, centred}, false, false},
      {"once centred, from the centre", {rest, atRest, centred, {Event::Move, 5, 0}}, true, false},
      {"rest unknown: first report is the rest", {{Event::RestUnknown}, atRest, centred}, true, false},
      {"rest unknown: a later report counts", {{Event::RestUnknown}, atRest, {Event::Move, 388, 366}}, true, true},
      {"extreme offsets do not overflow", {{Event::Rest, INT32_MIN, INT32_MIN}, {Event::Move, INT32_MAX, 0}}, true,
       true},
  };
  for (const ExitCase& c : cases) EXPECT_EQ(RunEnds(c.steps, c.mouseExit), c.ends) << c.what;
}

TEST(SaverInput, KeysAreTrackedPerCodeAndTheAnyInputFlagStays) {
  SaverInput input;
  input.Reset();
  input.KeyDown('A');
  EXPECT_EQ(input.keyState['A'], 1);
  input.KeyUp('A');
  EXPECT_EQ(input.keyState['A'], 0);
  EXPECT_EQ(input.keyState[0], 1);
  input.KeyUp(300);  // ignored, no write outside the table
  input.Reset();
  EXPECT_EQ(input.keyState[0], 0);
}

TEST(SaverInput, ConsumingMovementClearsTheDeltasOnce) {
  SaverInput input;
  input.Reset();
  input.PointerMoved(10, -20);
  EXPECT_FLOAT_EQ(input.mouseDeltaX, 3.0f);
  EXPECT_FLOAT_EQ(input.mouseDeltaY, -6.0f);
  EXPECT_TRUE(input.ConsumeMovement());
  EXPECT_FLOAT_EQ(input.mouseTravel, 9.0f);
  EXPECT_FALSE(input.ConsumeMovement());  // nothing new: no re-centring
  EXPECT_FLOAT_EQ(input.mouseTravel, 9.0f);
  input.StartTravelWindow();
  EXPECT_EQ(input.mouseTravel, 0.0f);
}

}  // namespace
