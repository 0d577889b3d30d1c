// The drawing order of one frame.
#include "app/render_frame.h"

#include <windows.h>

#include <GL/gl.h>

#include "app/saver_run.h"

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

}  // namespace

void RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  RefreshFrameRateWindow();
  // With no world loaded the frame stays cleared: no scene, no overlay, and
  // the frame is not counted. Once the scene is loaded, the world's steps
  // go here: copy its first-pass, object and post-pass lists into the frame
  // pass lists; identity and the camera view; the lights (GL_LIGHT1 at the
  // origin for a system world, else GL_LIGHT1 and GL_LIGHT0 at
  // (0, 0, 1000000)); Render of every object of the three lists; the view
  // again; glFlush and the alpha blend function; the overlay with the frame
  // rate (ShowFPS) and the clock (ShowClock); GL_BLEND on; frameCount + 1;
  // glFlush.
}
