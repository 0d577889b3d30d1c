// The gamma ramp of a saver run on the window's device context.
#include "app/gamma_control.h"

#include "app/gamma_keeper.h"

namespace {

class DeviceContextGamma : public GammaDevice {
 public:
  explicit DeviceContextGamma(HDC dc) : dc_(dc) {}
  bool ReadRamp(GammaRamp* ramp) override { return GetDeviceGammaRamp(dc_, ramp) != FALSE; }
  bool WriteRamp(const GammaRamp& ramp) override {
    return SetDeviceGammaRamp(dc_, const_cast<GammaRamp*>(&ramp)) != FALSE;
  }

 private:
  HDC dc_;
};

GammaKeeper keeper;  // the one run's saved ramp

}  // namespace

bool ApplyGammaRamp(HDC deviceContext, float red, float green, float blue) {
  DeviceContextGamma device(deviceContext);
  return keeper.Apply(device, red, green, blue);
}

void RestoreGammaRamp(HDC deviceContext) {
  DeviceContextGamma device(deviceContext);
  keeper.Restore(device);
}
