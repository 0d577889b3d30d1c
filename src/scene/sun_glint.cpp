// The specular-only, additive, texture-masked lighting of `glint` layers.
#include "scene/sun_glint.h"

#include "platform/opengl.h"

namespace {

// The colour of the sun's reflection off the sea at full brightness: a
// sunlit white with a trace of warmth, RGB 0..1.
constexpr float kGlintColour[3] = {1.0f, 0.97f, 0.9f};

}  // namespace

void EnterSunGlint(float brightness, float shininess) {
  const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat glint[4] = {brightness * kGlintColour[0], brightness * kGlintColour[1],
                            brightness * kGlintColour[2], 1.0f};
  glDisable(GL_COLOR_MATERIAL);
  glEnable(GL_LIGHTING);
  glMaterialfv(GL_FRONT, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, none);
  glMaterialfv(GL_FRONT, GL_SPECULAR, glint);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  // The specular term inside the colour that modulates the water mask.
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SINGLE_COLOR);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
}
