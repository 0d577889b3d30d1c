// The gamma ramp formula.
#include "app/gamma_ramp.h"

#include <cmath>

float GammaExponent(int32_t gamma) {
  double brightness = double(static_cast<uint32_t>(gamma));
  return float(1.0 - (brightness - 50.0) / 50.0 * 0.5);
}

uint16_t GammaRampEntry(int j, float exponent) {
  double value = std::pow(double(j) / 256.0, double(exponent)) * 65536.0;
  // A positive exponent stays below 65536; exponent 0 (Gamma 150) and
  // negative ones (larger or stored negative Gamma values) would overflow
  // the entry, so the ramp is held at its range instead.
  if (!(value > 0.0)) return 0;
  if (value >= 65535.0) return 65535;
  return static_cast<uint16_t>(value);
}

void BuildGammaRamp(float red, float green, float blue, GammaRamp* ramp) {
  for (int j = 0; j < kGammaRampEntries; ++j) {
    ramp->red[j] = GammaRampEntry(j, red);
    ramp->green[j] = GammaRampEntry(j, green);
    ramp->blue[j] = GammaRampEntry(j, blue);
  }
}
