// The portable loading steps of a saver run and their release.
#include "run/run_loading.h"

#include "image/texture_manager.h"
#include "overlay/glyph_font.h"
#include "overlay/loader_screen.h"
#include "platform/opengl.h"
#include "scene/geometry.h"
#include "scene/scene_world.h"
#include "scene/sphere.h"

namespace {

// Seconds between two loader frames after the first; the loader screen
// stays on screen between them.
constexpr double kLoadingFrameInterval = 0.25;

// Camera pose while loading: 1500 units in front of the origin, looking at it.
void SetLoadingPose(CameraController& camera) {
  camera.position = Vector3{0.0f, 0.0f, 1500.0f};
  camera.forward = Vector3{0.0f, 0.0f, -1.0f};
  camera.up = Vector3{0.0f, 1.0f, 0.0f};
}

}  // namespace

void DrawLoadingFrame(FrameSize frame) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawLoaderScreen(frame);
}

bool LoadingFrameDue(RunState& run, double now) {
  if (run.lastLoadingFrame >= 0.0 && now - run.lastLoadingFrame < kLoadingFrameInterval) return false;
  run.lastLoadingFrame = now;
  return true;
}

void LoadRunWorld(RunState& run, ParseReport* report) {
  run.lastLoadingFrame = -1.0;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  LoadTextureList(textureManager, "texture.txt", true);
  BuildGlyphFont(textureManager);
  BuildSphereLists();
  SetLoadingPose(run.camera);
  LoadScanSphere();
  LoadScene(sceneRegistry, report);  // env.txt, worlds.txt, their object files; first world; clock 0
}

void BeginRunFlight(RunState& run, uint32_t speed, double now) {
  run.speedFactor = float(CameraSpeedFactor(speed));
  run.rateWindowStart = now;
  SelectStartWorld(sceneRegistry);  // clock 0; "earth", else the first world, else none
  run.camera.StartFlight();
}

void ReleaseRunWorld(RunState& run) {
  run.framePassWorld = nullptr;
  ReleaseScene(sceneRegistry);
  ReleaseSphereLists();
  ResetGeometrySlots();
}
