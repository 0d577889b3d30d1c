// The brightness of a saver run through the device gamma ramp of the
// saver window's device context. The ramp in effect before the run is read
// from the screen before the display mode is switched and put back at the
// end (see gamma_keeper.h), so a calibrated ramp survives the run. Win32 only.
#pragma once

#include <windows.h>

// Reads the screen's ramp in effect now; the run's restore writes it back.
void SaveGammaRamp();
// Builds the ramp from the three exponents (see gamma_ramp.h) and sets it;
// returns whether the system accepted it.
bool ApplyGammaRamp(HDC deviceContext, float red, float green, float blue);
// Puts back the saved ramp on the screen (the identity when it could not be
// read); nothing when the ramp was not touched. Safe to call twice.
void RestoreGammaRamp();
