// Time of one frame with one env flare at 800 x 600, in software (llvmpipe
// through OSMesa), so the figures are an upper bound for a GPU. Each frame
// clears the buffers, applies the frame defaults and the camera view, runs
// the flare's Update and Render and waits for the drawing (glFinish). The
// empty frame is the baseline to subtract; the hidden flare costs its depth
// read only; the others draw the sprite (half size 150 pixels) and the lens
// effect (lens size 100, as in the shipped post pass), all textured with a
// 128 x 128 mipmapped sprite.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "camera/camera_controller.h"
#include "image/texture_upload.h"
#include "platform/opengl.h"
#include "scene/flare.h"
#include "scene/frame_state.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSpriteSide = 128;
constexpr double kFrame = 1.0 / 60.0;  // seconds

class Offscreen {
 public:
  Offscreen() : buffer(size_t(kWidth) * kHeight * 4) {
    context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, kWidth, kHeight);
    InitSceneGlState(FrameSize{kWidth, kHeight});
  }
  ~Offscreen() { OSMesaDestroyContext(context); }

 private:
  std::vector<uint8_t> buffer;
  OSMesaContext context;
};

// A radial glow, as the flare sprites are.
uint32_t SpriteTexture() {
  std::vector<uint8_t> texels(kSpriteSide * kSpriteSide * 3);
  for (int y = 0; y < kSpriteSide; ++y)
    for (int x = 0; x < kSpriteSide; ++x) {
      int dx = x - kSpriteSide / 2, dy = y - kSpriteSide / 2;
      int v = 255 - (dx * dx + dy * dy) * 255 / (kSpriteSide * kSpriteSide / 4);
      for (int c = 0; c < 3; ++c) texels[(y * kSpriteSide + x) * 3 + c] = uint8_t(v < 0 ? 0 : v);
    }
  return UploadMipmappedTexture(UploadFormat::kRgb, kSpriteSide, kSpriteSide, texels.data());
}

// The sun of the shipped post pass, off the window centre so that the lens
// effect has an axis; fully faded in and unhidden.
std::unique_ptr<Flare> SunFlare(uint32_t texture, bool lensEffect) {
  auto flare = std::make_unique<Flare>();
  flare->isEnv = true;
  flare->envOffset = Vector3{20.0f, 10.0f, -100.0f};
  flare->fov = 0.5f;
  flare->size = 150.0f;
  flare->hasTexture = true;
  flare->textureId = texture;
  flare->hasLensEffect = lensEffect;
  flare->lensSize = 100.0f;
  for (uint32_t& slot : flare->lensTextures) slot = texture;
  flare->level = 1.0f;
  flare->occlusionVisible = true;
  return flare;
}

// One frame; flare may be null for the empty frame.
void DrawFrame(const CameraController& camera, Flare* flare) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ApplyFrameDefaults();
  glLoadIdentity();
  camera.ApplyView();
  if (flare != nullptr) {
    flare->Update(kFrame);
    flare->Render(camera);
  }
  glFinish();
}

enum class Variant { kEmptyFrame, kHiddenFlare, kSprite, kSpriteAndLensEffect };

void RunFrames(benchmark::State& state, Variant variant) {
  Offscreen gl;
  std::unique_ptr<Flare> flare;
  if (variant != Variant::kEmptyFrame) flare = SunFlare(SpriteTexture(), variant == Variant::kSpriteAndLensEffect);
  if (variant == Variant::kHiddenFlare) {
    flare->level = 0.0f;
    flare->envOffset = Vector3{0.0f, 0.0f, 100.0f};  // behind the camera: never fades in
  }
  CameraController camera;
  camera.position = camera.eye = Vector3{0.0f, 0.0f, 60000.0f};
  camera.frame = FrameSize{kWidth, kHeight};
  for (auto _ : state) DrawFrame(camera, flare.get());
  if (flare != nullptr && variant != Variant::kHiddenFlare && flare->level <= 0.0f)
    state.SkipWithError("the flare did not stay visible");
}

void EmptyFrame(benchmark::State& state) { RunFrames(state, Variant::kEmptyFrame); }
void HiddenFlare(benchmark::State& state) { RunFrames(state, Variant::kHiddenFlare); }
void FlareSprite(benchmark::State& state) { RunFrames(state, Variant::kSprite); }
void FlareWithLensEffect(benchmark::State& state) { RunFrames(state, Variant::kSpriteAndLensEffect); }

}  // namespace

BENCHMARK(EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(HiddenFlare)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FlareSprite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FlareWithLensEffect)->Unit(benchmark::kMillisecond)->UseRealTime();
