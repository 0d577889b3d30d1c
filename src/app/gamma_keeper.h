// GammaKeeper: the save-and-restore rule of the device gamma ramp during a
// saver run. The first change of a run reads the ramp in effect and keeps
// it; the restore writes exactly that ramp back, or the identity ramp when
// it could not be read, and does nothing when the run never changed the
// ramp. Portable: the display is reached through GammaDevice.
#pragma once

#include "app/gamma_ramp.h"

// The display whose ramp is read and written (a device context on Windows).
class GammaDevice {
 public:
  virtual ~GammaDevice() = default;
  virtual bool ReadRamp(GammaRamp* ramp) = 0;
  virtual bool WriteRamp(const GammaRamp& ramp) = 0;
};

class GammaKeeper {
 public:
  // Builds the ramp from the three exponents and writes it; returns whether
  // the device accepted it. The first call since the last Restore saves
  // the ramp in effect.
  bool Apply(GammaDevice& device, float red, float green, float blue);
  // Writes back what Apply saved (the identity when it could not be read);
  // nothing when Apply was not called.
  void Restore(GammaDevice& device);

 private:
  bool touched_ = false;     // Apply ran since the last Restore
  bool savedValid_ = false;  // saved_ holds the ramp read before the first change
  GammaRamp saved_;
};
