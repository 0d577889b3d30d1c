// The night-side light and the twilight ramp of `night` layers.
#include "scene/night_side.h"

#include <cmath>

#include "platform/opengl.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

// Diffuse gain g and emission offset e of the ramp: a vertex whose normal
// makes the angle a past the terminator with the night light gets
// g·sin(a) − e, which is 0 at kTwilightStart and 1 at kTwilightEnd.
float RampGain() {
  return 1.0f / (std::sin(kTwilightEnd * kDegreesToRadians) - NightDarkCosine());
}
float RampOffset() { return RampGain() * NightDarkCosine(); }

// GL_LIGHT3 at the mirror image of GL_LIGHT1 through the layer's centre,
// both in eye space; a directional sun gives the opposite direction.
void PlaceNightLight() {
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  GLfloat sun[4];
  glGetLightfv(GL_LIGHT1, GL_POSITION, sun);
  GLfloat night[4] = {-sun[0], -sun[1], -sun[2], sun[3]};
  if (sun[3] != 0.0f) {
    for (int i = 0; i < 3; ++i) night[i] = 2.0f * modelview[12 + i] * sun[3] - sun[i];
  }
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT3, GL_POSITION, night);
  glPopMatrix();
}

}  // namespace

float NightDarkCosine() { return std::sin(kTwilightStart * kDegreesToRadians); }

void EnterNightSide(float alpha) {
  PlaceNightLight();
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHT1);
  glEnable(GL_LIGHT3);
  glEnable(GL_LIGHTING);
  float gain = RampGain(), offset = RampOffset();
  const GLfloat none[4] = {0.0f, 0.0f, 0.0f, alpha};
  const GLfloat diffuse[4] = {gain, gain, gain, alpha};
  const GLfloat emission[4] = {-offset, -offset, -offset, 0.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT, GL_EMISSION, emission);
}
