// The loading steps of a saver run that do not depend on the window system,
// in the order the front-ends run them: first the world (after the GL state
// is set for the drawable), then, once the timers run, the start of the
// flight. Needs the run's GL context current.
#pragma once

#include <cstdint>

#include "platform/frame_size.h"
#include "run/run_state.h"

struct ParseReport;

// One picture of the loader screen for a loading step: clears the buffers
// and draws the loader screen; the front-end then swaps (which flushes; a
// glFinish first would only add a wineserver round trip under Wine). GL out: blending on with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA).
void DrawLoadingFrame(FrameSize frame);

// Whether a loading step shows the loader screen again: the first step
// does, a later one only when kLoadingFrameInterval has passed since the
// last loader frame, which it then records. The picture is the same at every
// step, and each frame costs a clear, a draw and a swap (tens of
// milliseconds at 1920 x 1080 under Wine), which at one frame per step took
// most of the start. now: seconds on the front-end's clock (positive).
bool LoadingFrameDue(RunState& run, double now);

// Clears the buffers, then loads "texture.txt", the glyph font, the sphere
// lists, the scan sphere and the scene (env.txt, worlds.txt and their object
// files), with the camera in its loading pose. Each texture, object and
// geometry line reports a loading step through the platform seam. report,
// when given, collects the scene files' skipped and unreadable lines (the
// shells pass none; terrava-tool's scene check prints them).
void LoadRunWorld(RunState& run, ParseReport* report = nullptr);

// The camera speed from speed (0..100), the start world (scene clock 0) and
// the camera's flight from the loading pose; now (seconds on the
// front-end's clock) starts the first frame-rate window.
void BeginRunFlight(RunState& run, uint32_t speed, double now);

// Releases what LoadRunWorld built, in reverse. Safe after a run that
// stopped at any step.
void ReleaseRunWorld(RunState& run);
