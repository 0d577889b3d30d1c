// The device gamma ramp built from the brightness setting: 3 x 256
// unsigned 16-bit entries (red, then green, then blue), the layout that
// SetDeviceGammaRamp takes. Portable: only the formula lives here.
#pragma once

#include <cstdint>

constexpr int kGammaRampEntries = 256;  // per channel

struct GammaRamp {
  uint16_t red[kGammaRampEntries];
  uint16_t green[kGammaRampEntries];
  uint16_t blue[kGammaRampEntries];
};

// The exponent of the Gamma setting, 1 - (Gamma - 50) / 50 * 0.5 with
// Gamma taken as unsigned: 1.5 at 0 (darker), 1.0 at 50, 0.5 at 100
// (brighter).
float GammaExponent(int32_t gamma);

// Entry j (0..255) of a channel with the given exponent:
// trunc((j / 256)^exponent * 65536), held at 0..65535.
uint16_t GammaRampEntry(int j, float exponent);

// Fills all three channels. Exponent 1 gives the identity ramp j * 256.
void BuildGammaRamp(float red, float green, float blue, GammaRamp* ramp);
