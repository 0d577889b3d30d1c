// InitGlState: the fixed GL state of a saver run.
#include "app/gl_state_win32.h"

#include "app/gamma_control_win32.h"
#include "app/gamma_ramp.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "settings/saver_settings.h"

namespace {

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

void InitGlState(HDC deviceContext, FrameSize frame) {
  // Enables, blending, viewport, the frustum, the lights, clear colour and
  // line width: the state the scene objects' frame defaults build on.
  InitSceneGlState(frame);
  SetSwapInterval();
  if (!settings.DefGamma) {
    float e = GammaExponent(settings.Gamma);
    ApplyGammaRamp(deviceContext, e, e, e);
  }
}
