// The save-and-restore rule of the gamma ramp.
#include "app/gamma_keeper.h"

bool GammaKeeper::Apply(GammaDevice& device, float red, float green, float blue) {
  if (!touched_) {
    savedValid_ = device.ReadRamp(&saved_);
    touched_ = true;
  }
  GammaRamp ramp;
  BuildGammaRamp(red, green, blue, &ramp);
  return device.WriteRamp(ramp);
}

void GammaKeeper::Restore(GammaDevice& device) {
  if (!touched_) return;
  if (savedValid_) {
    device.WriteRamp(saved_);
  } else {
    GammaRamp identity;
    BuildGammaRamp(1.0f, 1.0f, 1.0f, &identity);
    device.WriteRamp(identity);
  }
  touched_ = false;
}
