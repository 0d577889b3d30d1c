// Cost of one camera Advance: a typical frame (60 Hz at the default speed,
// a new key every 400 frames) and the frame that finishes a segment and
// generates a key (every call here).
#include <benchmark/benchmark.h>

#include "camera/camera_controller.h"
#include "camera/random.h"

namespace {
void AdvanceBy(benchmark::State& state, double dt) {
  RandomSeed(12345);
  CameraController camera;
  camera.StartFlight();
  for (auto _ : state) {
    camera.Advance(dt);
    benchmark::DoNotOptimize(camera.forward);
  }
  RandomReset();
}

void BM_AdvanceFrame(benchmark::State& state) { AdvanceBy(state, CameraSpeedFactor(50) / 60.0); }
void BM_AdvanceWithNewKey(benchmark::State& state) { AdvanceBy(state, 10.0); }
}  // namespace

BENCHMARK(BM_AdvanceFrame);
BENCHMARK(BM_AdvanceWithNewKey);
