// One frame of a saver run, without the window system: the time step of
// the camera and the world, the frame-rate window, and the drawing order
// (scene, then the overlay). The front-end swaps the buffers afterwards.
#pragma once

#include "run/run_state.h"

// Advances the camera by dt (seconds of real time) times the speed factor,
// updates the world the last frame drew, and puts the eye at the camera.
void AdvanceRun(RunState& run, double dt);

// Once a second (now: seconds on the front-end's clock): the frame rate of
// the window just finished becomes the one shown, and a new window begins.
// True when a new window began (the Win32 shell starts its mouse-travel
// window with it). Done for every frame, with or without a world.
bool RefreshFrameRate(RunState& run, double now);

// Clears the frame and draws the current world with its overlay (frame
// rate, clock, as the settings say). With no world the frame stays cleared
// and is not counted.
// GL in: the run's state after InitSceneGlState. GL out: the same.
void RenderRunFrame(RunState& run);
