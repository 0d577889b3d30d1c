// The brightness of a saver run through the device gamma ramp of the
// saver window's device context. The ramp in effect before the run is read
// before the first change and put back at the end (see gamma_keeper.h), so
// a calibrated ramp survives the run. Win32 only.
#pragma once

#include <windows.h>

// Builds the ramp from the three exponents (see gamma_ramp.h) and sets it;
// returns whether the system accepted it.
bool ApplyGammaRamp(HDC deviceContext, float red, float green, float blue);
// Puts back the ramp in effect before the first ApplyGammaRamp (the
// identity when it could not be read); nothing when the ramp was not touched.
void RestoreGammaRamp(HDC deviceContext);
