// Entering and leaving the flat overlay spaces, and the centred quad.
#include "overlay/overlay_space.h"

#include "platform/opengl.h"
#include "settings/saver_settings.h"

namespace {

// Pushes a fresh projection of right x top units onto the projection stack
// and a fresh modelview matrix onto the modelview stack.
void BeginFlatSpace(double right, double top) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, right, 0.0, top, -1.0, 1.0);
  glViewport(0, 0, settings.Width, settings.Height);
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

void BeginOverlay() { BeginFlatSpace(kOverlayWidth, kOverlayHeight); }
void EndOverlay() { EndFlatSpace(); }

void BeginPixelOverlay() { BeginFlatSpace(settings.Width, settings.Height); }
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
