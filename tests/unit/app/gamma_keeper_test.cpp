// The save-and-restore rule of the gamma ramp, on a display that keeps its
// ramp in memory and can refuse reads or writes.
#include <gtest/gtest.h>

#include <cstring>

#include "app/gamma_keeper.h"

namespace {

class MemoryDisplay : public GammaDevice {
 public:
  MemoryDisplay() { BuildGammaRamp(0.9f, 1.0f, 1.1f, &ramp); }  // a calibrated ramp
  bool ReadRamp(GammaRamp* out) override {
    if (!readable) return false;
    *out = ramp;
    return true;
  }
  bool WriteRamp(const GammaRamp& in) override {
    ++writes;
    if (!writable) return false;
    ramp = in;
    return true;
  }
  GammaRamp ramp;
  bool readable = true;
  bool writable = true;
  int writes = 0;
};

bool SameRamp(const GammaRamp& a, const GammaRamp& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

GammaRamp Ramp(float e) {
  GammaRamp r;
  BuildGammaRamp(e, e, e, &r);
  return r;
}

TEST(GammaKeeper, RestoresTheCalibratedRampInEffectBefore) {
  MemoryDisplay display;
  const GammaRamp calibrated = display.ramp;
  GammaKeeper keeper;
  EXPECT_TRUE(keeper.Apply(display, 0.5f, 0.5f, 0.5f));
  EXPECT_TRUE(SameRamp(display.ramp, Ramp(0.5f)));
  EXPECT_TRUE(keeper.Apply(display, 1.5f, 1.5f, 1.5f));  // a second change keeps the first saved ramp
  keeper.Restore(display);
  EXPECT_TRUE(SameRamp(display.ramp, calibrated));
}

TEST(GammaKeeper, FallsBackToTheIdentityWhenTheRampCouldNotBeRead) {
  MemoryDisplay display;
  display.readable = false;
  GammaKeeper keeper;
  keeper.Apply(display, 0.5f, 0.5f, 0.5f);
  keeper.Restore(display);
  EXPECT_TRUE(SameRamp(display.ramp, Ramp(1.0f)));
}

TEST(GammaKeeper, UntouchedRampIsNeverWritten) {
  MemoryDisplay display;
  GammaKeeper keeper;
  keeper.Restore(display);
  EXPECT_EQ(display.writes, 0);
  keeper.Apply(display, 0.5f, 0.5f, 0.5f);
  keeper.Restore(display);
  keeper.Restore(display);  // a second restore does nothing
  EXPECT_EQ(display.writes, 2);
}

TEST(GammaKeeper, EachRunSavesAnew) {
  MemoryDisplay display;
  GammaKeeper keeper;
  keeper.Apply(display, 0.5f, 0.5f, 0.5f);
  keeper.Restore(display);
  display.ramp = Ramp(1.2f);  // the user calibrates again between runs
  keeper.Apply(display, 0.5f, 0.5f, 0.5f);
  keeper.Restore(display);
  EXPECT_TRUE(SameRamp(display.ramp, Ramp(1.2f)));
}

TEST(GammaKeeper, RampSavedBeforeTheModeSwitchIsTheOneRestored) {
  MemoryDisplay display;
  const GammaRamp calibrated = display.ramp;
  GammaKeeper keeper;
  keeper.Save(display);
  display.ramp = Ramp(1.0f);  // the mode switch resets the ramp
  keeper.Apply(display, 0.5f, 0.5f, 0.5f);
  keeper.Restore(display);
  EXPECT_TRUE(SameRamp(display.ramp, calibrated));
}

}  // namespace
