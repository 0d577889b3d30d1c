// Time to draw one frame of the shipped world, loaded from resources/data
// exactly as terrava-tool render loads it, at the two screen sizes the peer
// comparison uses (800 x 600 and 1920 x 1080) and at flight times that show
// the Earth whole, close up and beside the sky. Each iteration updates the
// objects by 1/60 s and draws with glFinish, so the figure is the whole
// software-rendered frame of the saver without the window system's share.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/opengl.h"
#include "scene_flight.h"
#include "scene_loading.h"

namespace {

const char* const kSceneFolder = TERRAVA_SOURCE_DIR "/resources/data";

class ShippedWorld {
 public:
  ShippedWorld(int width, int height) : gl(width, height) {
    std::string error;
    mounted = MountSceneFolder(kSceneFolder, &error) && gl.Ready();
    if (mounted) LoadSceneFolder(run, FrameSize{width, height}, nullptr);
  }
  ~ShippedWorld() { UnloadSceneFolder(); }
  const SceneWorld* World() const { return mounted ? sceneRegistry.currentWorld : nullptr; }

  RunState run;

 private:
  OffscreenContext gl;
  bool mounted = false;
};

// Arguments: width, height, flight time in seconds.
void BM_ShippedWorldFrame(benchmark::State& state) {
  ShippedWorld shipped(int(state.range(0)), int(state.range(1)));
  const SceneWorld* world = shipped.World();
  if (world == nullptr) {
    state.SkipWithError("the shipped world did not load");
    return;
  }
  FlyTo(shipped.run, *world, double(state.range(2)));
  glFinish();  // the flight's frames are drawn before the first timed one
  for (auto _ : state) {
    UpdateWorld(*world, kFlightFrameSeconds);
    DrawWorldFrame(*world, shipped.run.camera);
    glFinish();
  }
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_ShippedWorldFrame)
    ->ArgNames({"w", "h", "t"})
    ->ArgsProduct({{800}, {600}, {5, 30, 60}})
    ->ArgsProduct({{1920}, {1080}, {5, 30, 60}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
