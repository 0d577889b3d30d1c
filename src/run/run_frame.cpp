// The time step and the drawing order of one frame of a saver run.
#include "run/run_frame.h"

#include "overlay/clock_display.h"
#include "overlay/frame_rate_display.h"
#include "overlay/overlay_space.h"
#include "platform/opengl.h"
#include "scene/day_night.h"
#include "scene/scene_world.h"
#include "settings/saver_settings.h"

namespace {

constexpr double kRateWindowSeconds = 1.0;

// The flat layer over the scene: the frame rate inside an overlay bracket
// opened here (with fresh modelview and texture matrices), then the clock,
// which opens a bracket of its own.
void DrawOverlayLayer(FrameSize frame, int framesPerSecond) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BeginOverlay(frame);
  glLoadIdentity();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (settings.ShowFPS) DrawFrameRate(framesPerSecond);
  EndOverlay();
  if (settings.ShowClock) DrawClock(frame);
  glEnable(GL_BLEND);
}

}  // namespace

void AdvanceRun(RunState& run, double dt) {
  run.camera.Advance(dt * double(run.speedFactor));
  FollowRealDayNight(settings.RealDayNight);  // the Earth follows the UTC clock
  if (run.framePassWorld != nullptr) UpdateWorld(*run.framePassWorld, dt);
  run.camera.eye = run.camera.position;
}

bool RefreshFrameRate(RunState& run, double now) {
  if (now - run.rateWindowStart <= kRateWindowSeconds) return false;
  run.framesPerSecond = run.frameCount;
  run.frameCount = 0;
  run.rateWindowStart = now;
  return true;
}

void RenderRunFrame(RunState& run) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // The world's lists become the frame pass lists, and the view, the lights
  // and every object's Render follow; then the view again for the overlay.
  const SceneWorld* world = sceneRegistry.currentWorld;
  if (world == nullptr) return;
  run.framePassWorld = world;
  RenderWorld(*world, run.camera);
  glLoadIdentity();
  run.camera.ApplyView();
  DrawOverlayLayer(run.camera.frame, run.framesPerSecond);
  ++run.frameCount;
  // No glFlush, here or before the overlay: the swap flushes, and under
  // Wine every glFlush costs a round trip through wineserver (measured: 13 ms
  // of its processor time per frame at 800x600 with two flushes, 0.4 ms
  // without) and splits llvmpipe's frame into two scenes.
}
