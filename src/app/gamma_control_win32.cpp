// The gamma ramp of a saver run on the window's device context.
#include "app/gamma_control_win32.h"

#include "app/gamma_keeper.h"

namespace {

class DeviceContextGamma : public GammaDevice {
 public:
  explicit DeviceContextGamma(HDC dc) : dc_(dc) {}
  bool ReadRamp(GammaRamp* ramp) override { return GetDeviceGammaRamp(dc_, ramp) != FALSE; }
  bool WriteRamp(const GammaRamp& ramp) override {
    return SetDeviceGammaRamp(dc_, const_cast<GammaRamp*>(&ramp)) != FALSE;
  }

 protected:
  HDC dc_;
};

GammaKeeper keeper;  // the one run's saved ramp

// The whole screen's device context for the time of one call.
class ScreenGamma : public DeviceContextGamma {
 public:
  ScreenGamma() : DeviceContextGamma(GetDC(nullptr)) {}
  ~ScreenGamma() override { ReleaseDC(nullptr, dc_); }
  ScreenGamma(const ScreenGamma&) = delete;
  ScreenGamma& operator=(const ScreenGamma&) = delete;
};

}  // namespace

void SaveGammaRamp() {
  ScreenGamma screen;
  keeper.Save(screen);
}

bool ApplyGammaRamp(HDC deviceContext, float red, float green, float blue) {
  DeviceContextGamma device(deviceContext);
  return keeper.Apply(device, red, green, blue);
}

void RestoreGammaRamp() {
  ScreenGamma screen;
  keeper.Restore(screen);
}
