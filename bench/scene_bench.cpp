// Time to load and draw one frame of a scene with 20 spheres at 800 x 600:
// an Earth-like stack of 8 layers (opaque, alpha-textured, translucent,
// noised, atmosphere and scatter shells, mask), a sky box, and 11 planets
// and moons, each with its own 256 x 256 texture. Loading covers the
// standard sphere lists (three geometry files and two shell lists), env.txt,
// worlds.txt and the object files, read from an in-memory data archive;
// drawing covers one frame's Update and Render with glFinish, in software
// (llvmpipe through OSMesa), so the figures are an upper bound for a GPU.
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "archive/archive_file.h"
#include "camera/camera_controller.h"
#include "camera/random.h"
#include "image/texture_manager.h"
#include "image/texture_upload.h"
#include "platform/native_platform.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene/geometry.h"
#include "scene/geometry_builder.h"
#include "scene/scene_world.h"
#include "scene/sphere.h"
#include "unit/archive/test_archive_builder.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kTextureSide = 256;
constexpr int kPlanets = 11;

std::string StackLayer(const char* name, const char* keywords, float radius, int texture) {
  return std::string("sphere\nbegin ") + name + "\norbit\nposition V(0 0 0)\n" + keywords + "radius " +
         std::to_string(radius) + "\ntexture textures\\t" + std::to_string(texture) + ".jpg\nend\n";
}

std::string WorldFile() {
  std::string w = StackLayer("ocean", "specular\n", 16200, 0) + StackLayer("land", "", 16210, 1) +
                  StackLayer("lights", "light\nalpha 0.3\n", 16215, 2) + StackLayer("clouds", "noised\n", 16300, 3) +
                  StackLayer("clouds2", "noised\ndetiling 120\n", 16320, 3) + StackLayer("scatter", "scatter\n", 16450, 4) +
                  StackLayer("atmo", "atmo\n", 16900, 5) + StackLayer("mask", "mask\n", 16150, 6);
  for (int i = 0; i < kPlanets; ++i)
    w += "sphere\nbegin p" + std::to_string(i) + "\norbit\nposition V(" + std::to_string(-60000 + i * 12000) +
         " 4000 -30000)\nradius 3000\ntexture textures\\t" + std::to_string(7 + i) + ".jpg\nend\n";
  return w + "ENDWORLD\n";
}

void InstallSceneArchive() {
  auto bytes = [](const GeometryData& g) {
    std::vector<uint8_t> b = EncodeGeometry(g);
    return std::string(b.begin(), b.end());
  };
  std::vector<TestBlock> blocks = {
      StoredMember("env.txt", "env e\nfirstpass sky.txt\npostpass post.txt\nend\nENV_END\n"),
      StoredMember("worlds.txt", "world earth\nenv e\nobjects world.txt\nend\nWORLD_END\n"),
      StoredMember("sky.txt", "sphere\nbegin sky\nenv\nradius 100\ntexture textures\\t18.jpg\nend\nENDWORLD\n"),
      StoredMember("post.txt", "ENDWORLD\n"),
      StoredMember("world.txt", WorldFile()),
      StoredMember("meshes\\sphere.dat", bytes(BuildIcosphere(3))),
      StoredMember("meshes\\env.dat", bytes(BuildEnvCube())),
  };
  std::string archive = BuildArchive(blocks);
  native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
}

// 19 textures with mipmaps, as the texture list would have uploaded them.
void RegisterTextures() {
  std::vector<uint8_t> texels(kTextureSide * kTextureSide * 3);
  for (int i = 0; i < 19; ++i) {
    for (size_t p = 0; p < texels.size(); ++p) texels[p] = uint8_t((p * 7 + i * 31) & 0xFF);
    Texture* t = new Texture;
    std::snprintf(t->path, sizeof t->path, "textures\\t%d.jpg", i);
    t->glName = UploadMipmappedTexture(UploadFormat::kRgb, kTextureSide, kTextureSide, texels.data());
    textureManager.Append(t);
  }
}

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

void LoadScene() {
  BuildSphereLists();
  LoadScanSphere();
  LoadScene(sceneRegistry);
  SelectStartWorld(sceneRegistry);
}

void Unload() {
  ReleaseScene(sceneRegistry);
  ReleaseSphereLists();
  ResetGeometrySlots();
  RandomReset();
}

void DrawFrame(const CameraController& camera) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  UpdateWorld(*sceneRegistry.currentWorld, 1.0 / 60.0);
  RenderWorld(*sceneRegistry.currentWorld, camera);
  glFinish();
}

CameraController FacingEarth() {
  CameraController camera;
  camera.position = camera.eye = Vector3{0.0f, 0.0f, 60000.0f};
  camera.frame = FrameSize{kWidth, kHeight};
  return camera;
}

class SceneBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    gl = std::make_unique<Offscreen>();
    InstallSceneArchive();
    RegisterTextures();
  }
  void TearDown(const benchmark::State&) override {
    Unload();
    textureManager.Reset();
    native_platform::ResetAll();
    gl.reset();
  }
  std::unique_ptr<Offscreen> gl;
};

}  // namespace

BENCHMARK_DEFINE_F(SceneBench, Load)(benchmark::State& state) {
  for (auto _ : state) {
    LoadScene();
    glFinish();
    state.PauseTiming();
    Unload();
    state.ResumeTiming();
  }
}

BENCHMARK_DEFINE_F(SceneBench, RenderFrame)(benchmark::State& state) {
  LoadScene();
  CameraController camera = FacingEarth();
  for (auto _ : state) DrawFrame(camera);
}

BENCHMARK_DEFINE_F(SceneBench, LoadAndRenderOneFrame)(benchmark::State& state) {
  CameraController camera = FacingEarth();
  for (auto _ : state) {
    LoadScene();
    DrawFrame(camera);
    state.PauseTiming();
    Unload();
    state.ResumeTiming();
  }
}

BENCHMARK_REGISTER_F(SceneBench, Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_REGISTER_F(SceneBench, RenderFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_REGISTER_F(SceneBench, LoadAndRenderOneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
