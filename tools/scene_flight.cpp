// Flying a loaded world off-screen as the saver's frame loop does.
#include "scene_flight.h"

#include "platform/opengl.h"

namespace {

constexpr double kDrawnSeconds = 1.0;  // drawn frames before the picture

}  // namespace

void FlyTo(RunState& run, const SceneWorld& world, double seconds) {
  CameraController& camera = run.camera;
  const double factor = double(run.speedFactor);
  for (double t = 0.0; t + 1e-9 < seconds; t += kFlightFrameSeconds) {
    camera.Advance(kFlightFrameSeconds * factor);
    UpdateWorld(world, kFlightFrameSeconds);
    if (t + kDrawnSeconds < seconds) continue;
    camera.eye = camera.position;
    DrawWorldFrame(world, camera);
  }
  camera.Advance(0.0);
  camera.eye = camera.position;
}

void DrawWorldFrame(const SceneWorld& world, const CameraController& camera) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  RenderWorld(world, camera);
}
