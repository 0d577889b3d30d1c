// The saver's frame loop without a window, for the tool's render command,
// the frame benchmark and the shipped-world picture tests: the run's camera,
// on its flight since LoadSceneFolder, advanced with the objects updated in
// steps of 1/60 s at the run's camera speed.
#pragma once

#include "camera/camera_controller.h"
#include "run/run_state.h"
#include "scene/scene_world.h"

constexpr double kFlightFrameSeconds = 1.0 / 60.0;

// Flies seconds of flight time. Only the frames of the last second are
// drawn: flares learn whether they are hidden while drawing, and fade in or
// out within that time. Leaves run.camera.eye at the final position.
void FlyTo(RunState& run, const SceneWorld& world, double seconds);

// Clears and draws one frame of world as seen from camera.
void DrawWorldFrame(const SceneWorld& world, const CameraController& camera);
