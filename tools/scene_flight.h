// The saver's frame loop without a window, for the tool's render command,
// the frame benchmark and the shipped-world picture tests: the camera
// started on its flight from the loading pose and advanced, with the objects
// updated, in steps of 1/60 s at the factory camera speed.
#pragma once

#include "camera/camera_controller.h"
#include "scene/scene_world.h"

constexpr double kFlightFrameSeconds = 1.0 / 60.0;

// Flies seconds of flight time. Only the frames of the last second are
// drawn: flares learn whether they are hidden while drawing, and fade in or
// out within that time. Leaves camera.eye at the final position.
void FlyTo(CameraController& camera, const SceneWorld& world, double seconds);

// Clears and draws one frame of world as seen from camera.
void DrawWorldFrame(const SceneWorld& world, const CameraController& camera);
