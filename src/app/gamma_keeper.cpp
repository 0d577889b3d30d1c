// The save-and-restore rule of the gamma ramp.
#include "app/gamma_keeper.h"

void GammaKeeper::Save(GammaDevice& device) {
  if (saved_) return;
  savedValid_ = device.ReadRamp(&savedRamp_);
  saved_ = true;
}

bool GammaKeeper::Apply(GammaDevice& device, float red, float green, float blue) {
  Save(device);
  touched_ = true;
  GammaRamp ramp;
  BuildGammaRamp(red, green, blue, &ramp);
  return device.WriteRamp(ramp);
}

void GammaKeeper::Restore(GammaDevice& device) {
  saved_ = false;
  if (!touched_) return;
  if (savedValid_) {
    device.WriteRamp(savedRamp_);
  } else {
    GammaRamp identity;
    BuildGammaRamp(1.0f, 1.0f, 1.0f, &identity);
    device.WriteRamp(identity);
  }
  touched_ = false;
}
