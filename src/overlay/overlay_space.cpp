// Entering and leaving the flat overlay spaces, and the centred quad.
#include "overlay/overlay_space.h"

#include "platform/opengl.h"

namespace {

// Pushes a fresh projection of right x top units over the whole frame onto
// the projection stack and a fresh modelview matrix onto the modelview stack.
void BeginFlatSpace(FrameSize frame, double right, double top) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, right, 0.0, top, -1.0, 1.0);
  glViewport(0, 0, frame.width, frame.height);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void EndFlatSpace() {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}

}  // namespace

// Height times width / height, which is exact for 4:3 frames in doubles.
double OverlayWidth(FrameSize frame) {
  if (frame.width <= 0 || frame.height <= 0) return kOverlayWidth;
  return kOverlayHeight * frame.width / frame.height;
}

void BeginOverlay(FrameSize frame) { BeginFlatSpace(frame, OverlayWidth(frame), kOverlayHeight); }
void EndOverlay() { EndFlatSpace(); }

void BeginPixelOverlay(FrameSize frame) { BeginFlatSpace(frame, frame.width, frame.height); }
void EndPixelOverlay() { EndFlatSpace(); }

void DrawCenteredQuad(float cx, float cy, float hx, float hy) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(cx - hx, cy - hy);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(cx + hx, cy - hy);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(cx + hx, cy + hy);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(cx - hx, cy + hy);
  glEnd();
}
