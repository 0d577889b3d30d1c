// The GL state a saver run starts from. Win32 only (it also sets the swap
// interval and the gamma ramp).
#pragma once

#include <windows.h>

#include "platform/frame_size.h"

// In order: the enables, blending, the viewport over the frame and its
// perspective frustum, the light model and lights 0 to 2, the swap interval
// from VSync, the clear colour, and, unless DefGamma is set, the gamma ramp
// from Gamma on deviceContext.
void InitGlState(HDC deviceContext, FrameSize frame);
