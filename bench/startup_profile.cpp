// Where the saver's start goes: the wall time of each loading step of the
// shipped world (resources/data), natively through OSMesa's llvmpipe. For
// each listed texture, reading and decoding (JPEG or TGA, widened to RGBA)
// apart from the mipmap build and upload; then the loading steps in the
// saver's order (the whole texture list, the sphere lists, the scan sphere,
// the scene files with their geometry); one loader-screen frame at 800 x 600
// and 1920 x 1080 (the saver draws at most four a second); and the music
// track: the decode of the whole track with the bytes of PCM it would
// leave, against opening it as a stream, which the saver does twice (the
// load's check and the playback). Figures are medians or means of kRounds
// rounds, so that one slow round on a shared machine moves them little. A
// plain program, run by scripts/bench after the benchmarks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "audio/library/sound_decoder.h"
#include "audio/library/vorbis_stream.h"
#include "image/jpeg_image.h"
#include "image/texture_upload.h"
#include "image/tga_image.h"
#include "overlay/loader_screen.h"
#include "platform/opengl.h"
#include "image/texture_manager.h"
#include "run/run_loading.h"
#include "scene/frame_state.h"
#include "scene/scene_world.h"
#include "scene/sphere.h"
#include "scene_loading.h"

namespace {

constexpr int kRounds = 5;
const char* const kSceneFolder = TERRAVA_SOURCE_DIR "/resources/data";
// The shipped texture list, in loading order.
const char* const kTextures[] = {"c.jpg",    "planet05.jpg", "ocean.jpg", "mater.tga",  "light.jpg", "clouds.tga",
                                 "scatt3.jpg", "scatt2.jpg", "scatt1.jpg", "500.jpg",   "stars2.jpg", "stars.jpg",
                                 "flare0.jpg", "ray.jpg",    "ray2.jpg",   "flare1.jpg", "tlens.jpg", "lens4.jpg"};

double Seconds() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// Median over kRounds runs of step, in milliseconds.
double MedianMs(const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < kRounds; ++i) {
    const double start = Seconds();
    step();
    glFinish();
    times.push_back(1000.0 * (Seconds() - start));
  }
  std::sort(times.begin(), times.end());
  return times[kRounds / 2];
}

bool EndsInTga(const char* name) { return std::strcmp(name + std::strlen(name) - 3, "tga") == 0; }

// Decoded pixels of one texture: width, height, channels and the bytes.
struct Decoded {
  int width = 0, height = 0, channels = 0;
  std::vector<uint8_t> pixels;
};

Decoded DecodeTexture(const char* name) {
  const std::string path = std::string("textures\\") + name;
  Decoded out;
  if (EndsInTga(name)) {
    TgaImage tga;
    if (LoadTgaImage(path.c_str(), &tga) && ExpandTgaToRgba(&tga)) {
      out = Decoded{tga.width, tga.height, 4, {}};
      out.pixels.assign(tga.pixels, tga.pixels + size_t(tga.width) * tga.height * 4);
    }
    FreeTgaImage(&tga);
  } else {
    JpegImage jpeg;
    if (LoadJpegImage(path.c_str(), &jpeg)) {
      out = Decoded{jpeg.width, jpeg.height, 3, {}};
      out.pixels.assign(jpeg.pixels, jpeg.pixels + size_t(jpeg.rowBytes) * jpeg.height);
      FreeJpegImage(&jpeg);
    }
  }
  return out;
}

void ProfileTextures() {
  double decodeSum = 0.0, uploadSum = 0.0;
  std::printf("%-14s %11s %9s %9s\n", "texture", "size", "decode ms", "upload ms");
  for (const char* name : kTextures) {
    Decoded image;
    const double decode = MedianMs([&] { image = DecodeTexture(name); });
    const UploadFormat format = image.channels == 4 ? UploadFormat::kRgba : UploadFormat::kRgb;
    const double upload = MedianMs([&] {
      const GLuint texture = UploadMipmappedTexture(format, image.width, image.height, image.pixels.data());
      glDeleteTextures(1, &texture);
    });
    std::printf("%-14s %5dx%-5d %9.1f %9.1f\n", name, image.width, image.height, decode, upload);
    decodeSum += decode;
    uploadSum += upload;
  }
  std::printf("%-14s %11s %9.1f %9.1f\n", "all textures", "", decodeSum, uploadSum);
}

// The loading steps after the textures, in the saver's order, each timed on
// its own: summed over kRounds loads of the folder, then averaged.
void ProfileScene() {
  struct Step {
    const char* name;
    void (*run)();
    double ms = 0.0;
  } steps[] = {
      {"texture list", [] { LoadTextureList(textureManager, "texture.txt", false); }},
      {"sphere lists", BuildSphereLists},
      {"scan sphere", LoadScanSphere},
      {"scene files", [] { LoadScene(sceneRegistry); }},
  };
  for (int round = 0; round < kRounds; ++round) {
    UnloadSceneFolder();
    std::string error;
    MountSceneFolder(kSceneFolder, &error);
    InitSceneGlState(FrameSize{800, 600});
    for (Step& step : steps) {
      const double start = Seconds();
      step.run();
      glFinish();
      step.ms += 1000.0 * (Seconds() - start) / kRounds;
    }
  }
  for (const Step& step : steps) std::printf("%-14s %.1f ms\n", step.name, step.ms);
  if (!sceneRegistry.currentWorld) std::printf("the scene did not load\n");
}

void ProfileLoaderFrame(int width, int height) {
  OffscreenContext gl(width, height);
  if (!gl.Ready()) return;
  LoadLoaderScreen();
  const double frame = MedianMs([&] { DrawLoadingFrame(FrameSize{width, height}); });
  std::printf("loader frame %dx%d: %.1f ms\n", width, height, frame);
  ResetLoaderScreen();
}

void ProfileMusic() {
  std::ifstream in(std::string(kSceneFolder) + "/music.ogg", std::ios::binary);
  const std::vector<uint8_t> track((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pcmBytes = 0;
  const double decode = MedianMs([&] {
    PcmSound sound;
    DecodeSound(track.data(), uint32_t(track.size()), &sound);
    pcmBytes = size_t(sound.frameCount) * sound.channels * sizeof(int16_t);
  });
  const double open = MedianMs([&] {
    VorbisStream stream;
    stream.Open(track.data(), uint32_t(track.size()));
  });
  std::printf("music: whole decode %.1f ms (%.1f MiB of PCM from %.1f MiB of Ogg Vorbis), stream open %.1f ms\n",
              decode, double(pcmBytes) / (1024 * 1024), double(track.size()) / (1024 * 1024), open);
}

}  // namespace

int main() {
  setenv("LP_NUM_THREADS", "0", 1);
  std::string error;
  if (!MountSceneFolder(kSceneFolder, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  {
    OffscreenContext gl(800, 600);
    if (!gl.Ready()) return 1;
    ProfileTextures();
    ProfileScene();
    UnloadSceneFolder();
  }
  MountSceneFolder(kSceneFolder, &error);
  ProfileLoaderFrame(800, 600);
  ProfileLoaderFrame(1920, 1080);
  ProfileMusic();
  UnloadSceneFolder();
  return 0;
}
