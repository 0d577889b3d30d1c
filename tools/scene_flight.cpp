// Flying a loaded world off-screen as the saver's frame loop does.
#include "scene_flight.h"

#include "platform/opengl.h"

namespace {

constexpr double kDrawnSeconds = 1.0;   // drawn frames before the picture
constexpr unsigned kDefaultSpeed = 50;  // the factory CameraSpeed

}  // namespace

void FlyTo(CameraController& camera, const SceneWorld& world, double seconds) {
  double factor = CameraSpeedFactor(kDefaultSpeed);
  camera.position = Vector3{0.0f, 0.0f, 1500.0f};
  camera.StartFlight();
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
