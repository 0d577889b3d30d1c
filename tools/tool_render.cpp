// terrava-tool render DIR OUT.png [--width W] [--height H] [--time T]
// [--utc YYYY-MM-DDTHH:MM]: draws one frame of a scene folder off-screen
// (OSMesa) as the saver would after T seconds of flight: the same loading
// steps, the world "earth" (or the first world), the camera started on its
// flight and advanced, with the objects updated, in steps of 1/60 s at the
// default speed. The random generator is not seeded, so the same folder
// always gives the same picture. A folder without a world still yields a
// (clear) picture, but exit code 1. With --utc the Earth shows the real day
// and night of that instant (held for the whole flight); without it the real
// day and night stays off and the Earth spins by its own rate.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/opengl.h"
#include "scene/day_night.h"
#include "scene/scene_world.h"
#include "scene/utc_text.h"
#include "scene_flight.h"
#include "scene_loading.h"
#include "tool_commands.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>  // implemented in tool_image.cpp
#pragma GCC diagnostic pop

namespace {

constexpr int kMaxSide = 8192;           // pixels; far beyond any screen the saver runs on
constexpr double kMaxFlightSeconds = 3600.0;

struct RenderOptions {
  const char* dir = nullptr;
  const char* out = nullptr;
  int width = 800;
  int height = 600;
  double seconds = 0.0;
  bool realDayNight = false;  // --utc given
  UtcDateTime utc{};
};

int Usage() {
  std::fprintf(stderr, "usage: terrava-tool render DIR OUT.png [--width W] [--height H] [--time SECONDS]"
                       " [--utc YYYY-MM-DDTHH:MM]\n"
                       "W and H 1..%d pixels, SECONDS 0..%.0f, --utc a UTC instant in the years %d..%d.\n"
                       "Exit code: 0 picture written; 1 DIR not mounted, no off-screen OpenGL, no world\n"
                       "(a clear picture is still written) or OUT not written; 2 usage error.\n",
               kMaxSide, kMaxFlightSeconds, kFirstUtcYear, kLastUtcYear);
  return 2;
}

bool ParseNumber(const char* text, double low, double high, double* out) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(value >= low && value <= high)) return false;
  *out = value;
  return true;
}

bool ParseOptions(int argc, char** argv, RenderOptions* o) {
  if (argc < 2 || argc % 2 != 0) return false;
  o->dir = argv[0];
  o->out = argv[1];
  for (int i = 2; i < argc; i += 2) {
    if (std::strcmp(argv[i], "--utc") == 0) {
      if (!ParseUtcText(argv[i + 1], &o->utc)) return false;
      o->realDayNight = true;
      continue;
    }
    double value = 0;
    bool isTime = std::strcmp(argv[i], "--time") == 0;
    if (!ParseNumber(argv[i + 1], isTime ? 0.0 : 1.0, isTime ? kMaxFlightSeconds : kMaxSide, &value)) return false;
    if (isTime)
      o->seconds = value;
    else if (std::strcmp(argv[i], "--width") == 0)
      o->width = int(value);
    else if (std::strcmp(argv[i], "--height") == 0)
      o->height = int(value);
    else
      return false;
  }
  return true;
}

int Render(const RenderOptions& o) {
  std::string error;
  if (!MountSceneFolder(o.dir, &error)) {
    std::fprintf(stderr, "render: %s\n", error.c_str());
    return 1;
  }
  OffscreenContext gl(o.width, o.height);
  if (!gl.Ready()) {
    std::fprintf(stderr, "render: no off-screen OpenGL context\n");
    return 1;
  }
  RunState run;
  LoadSceneFolder(run, FrameSize{o.width, o.height}, nullptr);
  if (o.realDayNight) ShowRealDayNight(o.utc);
  const SceneWorld* world = sceneRegistry.currentWorld;
  if (world == nullptr) std::fprintf(stderr, "render: no world; the frame stays clear\n");
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (world != nullptr) {
    FlyTo(run, *world, o.seconds);
    DrawWorldFrame(*world, run.camera);
  }
  std::vector<uint8_t> pixels = gl.ReadTopDown();
  if (!stbi_write_png(o.out, o.width, o.height, 4, pixels.data(), o.width * 4)) {
    std::fprintf(stderr, "render: cannot write %s\n", o.out);
    return 1;
  }
  std::printf("%s: %dx%d, world %s, camera at (%.0f, %.0f, %.0f)\n", o.out, o.width, o.height,
              world ? world->name : "none", run.camera.eye.x, run.camera.eye.y, run.camera.eye.z);
  return world != nullptr ? 0 : 1;
}

}  // namespace

int RunRenderCommand(int argc, char** argv) {
  RenderOptions options;
  if (!ParseOptions(argc, argv, &options)) return Usage();
  return Render(options);
}
