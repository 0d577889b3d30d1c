// The fixed GL state of the saver's frame and the per-object defaults.
#include "scene/frame_state.h"

#include <initializer_list>

#include "platform/opengl.h"

namespace {

// The frustum of the saver: 2·atan(40/80), about 53 degrees vertically,
// near plane 80 and far plane 5000000 world units (the Earth's radius is 16200).
constexpr double kFrustumHalfHeight = 40.0;
constexpr double kNearPlane = 80.0;
constexpr double kFarPlane = 5000000.0;

void InitProjection(FrameSize frame) {
  glViewport(0, 0, frame.width, frame.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  double halfWidth = FrustumHalfWidth(kFrustumHalfHeight, frame);
  glFrustum(-halfWidth, halfWidth, -kFrustumHalfHeight, kFrustumHalfHeight, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void InitLights() {
  const GLfloat ambient[4] = {0.0f, 0.0f, 0.04f, 0.0f};
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

  const GLfloat sunPosition[4] = {0.0f, 0.0f, 9100.0f, 1.0f};
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, sunPosition);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_SPECULAR, white);

  const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat grey[4] = {0.3f, 0.3f, 0.3f, 1.0f};
  glLightfv(GL_LIGHT0, GL_SPECULAR, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, grey);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 3.0f);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 60.0f);
  glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 0.006f);
  glDisable(GL_LIGHT2);

  // The night-side light of `night` layers, which place it themselves.
  glLightfv(GL_LIGHT3, GL_DIFFUSE, white);
  glDisable(GL_LIGHT3);
}

}  // namespace

double FrustumHalfWidth(double halfHeight, FrameSize frame) { return halfHeight * double(FrameAspect(frame)); }

void InitSceneGlState(FrameSize frame) {
  glEnable(GL_NORMALIZE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  InitProjection(frame);
  InitLights();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glLineWidth(1.0f);
  ApplyFrameDefaults();
}

void ApplyFrameDefaults() {
  RestoreObjectDefaults();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void RestoreObjectDefaults() {
  for (GLenum on : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND, GL_TEXTURE_2D}) glEnable(on);
  for (GLenum off : {GL_LIGHT0, GL_LIGHT3, GL_CULL_FACE, GL_COLOR_MATERIAL, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T})
    glDisable(off);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  glCullFace(GL_BACK);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  // Set with colour tracking off, so that the current colour stays out of it.
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT, white);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
  glMaterialfv(GL_FRONT, GL_SPECULAR, black);
  glMaterialfv(GL_FRONT, GL_EMISSION, black);
  glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void PushEnvProjection(float fov, FrameSize frame) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  double halfWidth = FrustumHalfWidth(fov, frame);
  glFrustum(-halfWidth, halfWidth, -fov, fov, 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
}

void PopEnvProjection() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
