// InitGlState: the fixed GL state of a saver run.
#include "app/gl_state.h"

#include <GL/gl.h>

#include <initializer_list>

#include "app/gamma_control.h"
#include "app/gamma_ramp.h"
#include "settings/saver_settings.h"

namespace {

#ifndef GL_LIGHT_MODEL_COLOR_CONTROL
#define GL_LIGHT_MODEL_COLOR_CONTROL 0x81F8
#endif
#ifndef GL_SEPARATE_SPECULAR_COLOR
#define GL_SEPARATE_SPECULAR_COLOR 0x81FA
#endif

// The frustum: 4:3 whatever the display mode, vertical field of view
// 2 * atan(40 / 80), about 53.13 degrees; depth 80 to 5,000,000 world units.
constexpr double kFrustumHalfHeight = 40.0;
constexpr double kFrustumHalfWidth = 40.0 * double(4.0f / 3.0f);
constexpr double kFrustumNear = 80.0;
constexpr double kFrustumFar = 5000000.0;

void EnableFrameFeatures() {
  for (GLenum feature : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_BLEND, GL_TEXTURE_2D,
                         GL_NORMALIZE})
    glEnable(feature);
}

void SetProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-kFrustumHalfWidth, kFrustumHalfWidth, -kFrustumHalfHeight, kFrustumHalfHeight, kFrustumNear, kFrustumFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetLights() {
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  const GLfloat ambient[] = {0.0f, 0.0f, 0.04f, 0.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

  const GLfloat sunPosition[] = {0.0f, 0.0f, 9100.0f, 1.0f};
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, sunPosition);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_SPECULAR, white);

  const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat grey[] = {0.3f, 0.3f, 0.3f, 1.0f};
  glLightfv(GL_LIGHT0, GL_SPECULAR, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, grey);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 3.0f);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 60.0f);

  glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 0.006f);
}

// Swap interval 1 with VSync, 0 without; untouched when the driver lacks
// the extension.
void SetSwapInterval() {
  using SwapIntervalFn = BOOL(WINAPI*)(int);
  auto setInterval = reinterpret_cast<SwapIntervalFn>(
      reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
  PROC getInterval = wglGetProcAddress("wglGetSwapIntervalEXT");
  if (setInterval && getInterval) setInterval(settings.VSync ? 1 : 0);
}

}  // namespace

void InitGlState(HDC deviceContext) {
  EnableFrameFeatures();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glViewport(0, 0, settings.Width, settings.Height);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  SetProjection();
  glDisable(GL_LIGHT0);
  SetLights();
  SetSwapInterval();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glLineWidth(1.0f);
  glDisable(GL_LIGHT2);
  if (!settings.DefGamma) {
    float e = GammaExponent(settings.Gamma);
    ApplyGammaRamp(deviceContext, e, e, e);
  }
}
