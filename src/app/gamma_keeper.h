// GammaKeeper: the save-and-restore rule of the device gamma ramp during a
// saver run. The ramp in effect is read once per run: by Save before the
// display mode is switched (a switch may reset the ramp), else by the first
// change. The restore writes exactly that ramp back, or the identity ramp
// when it could not be read, and does nothing when the run never changed
// the ramp. Portable: the display is reached through GammaDevice.
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
  // Reads and keeps the ramp in effect, unless this run kept one already.
  void Save(GammaDevice& device);
  // Builds the ramp from the three exponents and writes it; returns whether
  // the device accepted it. Saves the ramp in effect first when Save has
  // not run since the last Restore.
  bool Apply(GammaDevice& device, float red, float green, float blue);
  // Writes back what Apply saved (the identity when it could not be read);
  // nothing when Apply was not called.
  void Restore(GammaDevice& device);

 private:
  bool touched_ = false;     // Apply ran since the last Restore
  bool saved_ = false;       // the ramp of this run was read (successfully or not)
  bool savedValid_ = false;  // savedRamp_ holds the ramp read before the first change
  GammaRamp savedRamp_;
};
