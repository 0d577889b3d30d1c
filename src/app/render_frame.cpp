// The drawing order of one frame.
#include "app/render_frame.h"

#include <windows.h>

#include <GL/gl.h>

#include "app/saver_run.h"
#include "overlay/clock_display.h"
#include "overlay/frame_rate_display.h"
#include "overlay/overlay_space.h"
#include "scene/scene_world.h"
#include "settings/saver_settings.h"

namespace {

// Once a second: the frame rate of the window just finished, and a new
// window for the mouse travel. Done for every frame, with or without a
// world, so that the travel sum never covers more than about a second.
void RefreshFrameRateWindow() {
  if (saverRun.fpsTimer.Elapsed() <= 1.0) return;
  saverRun.framesPerSecond = saverRun.frameCount;
  saverRun.frameCount = 0;
  saverRun.input.StartTravelWindow();
  saverRun.fpsTimer.Start();
}

// The flat layer over the scene: the frame rate inside an overlay bracket
// opened here (with fresh modelview and texture matrices), then the clock,
// which opens a bracket of its own.
void DrawOverlayLayer() {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  BeginOverlay();
  glLoadIdentity();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (settings.ShowFPS) DrawFrameRate(saverRun.framesPerSecond);
  EndOverlay();
  if (settings.ShowClock) DrawClock();
  glEnable(GL_BLEND);
}

}  // namespace

void RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  RefreshFrameRateWindow();
  // With no world the frame stays cleared (no scene, no overlay, not
  // counted). Otherwise its lists become the frame pass lists, and the view,
  // the lights and every object's Render follow; then the view again.
  const SceneWorld* world = sceneRegistry.currentWorld;
  if (world == nullptr) return;
  saverRun.framePassWorld = world;
  RenderWorld(*world, saverRun.camera);
  glLoadIdentity();
  saverRun.camera.ApplyView();
  DrawOverlayLayer();
  ++saverRun.frameCount;
  // No glFlush, here or before the overlay: SwapBuffers flushes, and under
  // Wine every glFlush costs a round trip through wineserver (measured: 13 ms
  // of its processor time per frame at 800x600 with two flushes, 0.4 ms
  // without) and splits llvmpipe's frame into two scenes.
}
