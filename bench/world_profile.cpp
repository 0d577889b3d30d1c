// Where a frame of the shipped world goes: the processor time of each
// object's drawing, at 800 x 600 and 1920 x 1080 and three flight times.
// Mesa's llvmpipe rasterises in the drawing thread here (LP_NUM_THREADS=0,
// set before the first context), and every object's Render is followed by
// glFinish, so the thread's processor time between two objects is that
// object's whole cost: vertices, rasterisation, texturing and blending.
// Processor time of one thread, unlike wall time, barely moves with the
// machine's load. Prints one table per size and time, costliest first;
// objects are numbered in drawing order (first pass, world, post pass).
// Each table's heading also gives the processor time of the first frame
// drawn after loading, which pays for any work objects leave to it.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/opengl.h"
#include "scene/scene_world.h"
#include "scene_flight.h"
#include "scene_loading.h"

namespace {

constexpr int kFrames = 5;                    // frames averaged per table
constexpr int kFlightTimes[] = {5, 30, 60};   // seconds
constexpr int kSizes[][2] = {{800, 600}, {1920, 1080}};
constexpr size_t kRowsShown = 8;

double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct ObjectCost {
  const SceneObject* object;
  std::string label;
  double seconds = 0.0;  // summed over the frames
};

struct FrameProfile {
  std::vector<ObjectCost> costs;  // in drawing order
  size_t next = 0;                // index of the object drawn next
  double mark = 0.0;              // ThreadSeconds() when it began
};

void AfterObject(const SceneObject& object, void* context) {
  FrameProfile& profile = *static_cast<FrameProfile*>(context);
  glFinish();
  const double now = ThreadSeconds();
  if (profile.next == profile.costs.size()) {
    std::string label = std::to_string(profile.next) + " " + object.KindName() + " " + object.name;
    profile.costs.push_back({&object, label});
  }
  profile.costs[profile.next++].seconds += now - profile.mark;
  profile.mark = now;
}

// firstSeconds: the first frame after loading; frameSeconds: kFrames frames.
void PrintProfile(int width, int height, int seconds, FrameProfile& profile, double firstSeconds,
                  double frameSeconds) {
  std::sort(profile.costs.begin(), profile.costs.end(),
            [](const ObjectCost& a, const ObjectCost& b) { return a.seconds > b.seconds; });
  std::printf("%dx%d at %d s: %.1f ms a frame (the first after loading %.1f ms)\n", width, height, seconds,
              1000.0 * frameSeconds / kFrames, 1000.0 * firstSeconds);
  for (size_t i = 0; i < profile.costs.size() && i < kRowsShown; ++i)
    std::printf("  %-22s %6.2f ms  %4.1f %%\n", profile.costs[i].label.c_str(),
                1000.0 * profile.costs[i].seconds / kFrames, 100.0 * profile.costs[i].seconds / frameSeconds);
}

bool ProfileAt(int width, int height, int seconds) {
  std::string error;
  if (!MountSceneFolder(TERRAVA_SOURCE_DIR "/resources/data", &error)) return false;
  OffscreenContext gl(width, height);
  bool drawn = false;
  if (gl.Ready()) {
    const FrameSize frame{width, height};
    RunState run;
    LoadSceneFolder(run, frame, nullptr);
    if (const SceneWorld* world = sceneRegistry.currentWorld) {
      const double loaded = ThreadSeconds();
      DrawWorldFrame(*world, run.camera);
      glFinish();
      const double firstSeconds = ThreadSeconds() - loaded;
      FlyTo(run, *world, seconds);
      glFinish();
      FrameProfile profile;
      const double start = ThreadSeconds();
      for (int f = 0; f < kFrames; ++f) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        profile.next = 0;
        profile.mark = ThreadSeconds();
        RenderWorld(*world, run.camera, AfterObject, &profile);
      }
      PrintProfile(width, height, seconds, profile, firstSeconds, ThreadSeconds() - start);
      drawn = true;
    }
  }
  UnloadSceneFolder();
  return drawn;
}

}  // namespace

int main() {
  setenv("LP_NUM_THREADS", "0", 1);
  for (const auto& size : kSizes)
    for (int seconds : kFlightTimes)
      if (!ProfileAt(size[0], size[1], seconds)) return 1;
  return 0;
}
