// Mounting a scene folder, the off-screen context and the loading steps.
#include "scene_loading.h"

#include "archive/archive_file.h"
#include "archive_tree.h"
#include "camera/random.h"
#include "image/texture_manager.h"
#include "overlay/glyph_font.h"
#include "platform/native_platform.h"
#include "platform/opengl.h"
#include "run/run_loading.h"
#include "scene/frame_state.h"
#include "scene/scene_file.h"

namespace {

constexpr uint32_t kFactoryCameraSpeed = 50;  // the factory CameraSpeed, 0..100

}  // namespace

bool MountSceneFolder(const char* dir, std::string* error) {
  std::vector<ArchiveEntry> entries;
  std::vector<uint8_t> archive;
  std::unique_ptr<MemberPacker> packer = MakeMemberPacker("stored");
  if (!CollectTree(dir, &entries, error) || !WriteRarArchive(entries, *packer, &archive, error)) return false;
  native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
  return true;
}

OffscreenContext::OffscreenContext(int w, int h) : width(w), height(h), buffer(size_t(w) * h * 4) {
  context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
  ready = context != nullptr && OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, w, h);
}

OffscreenContext::~OffscreenContext() {
  if (context != nullptr) OSMesaDestroyContext(context);
}

std::vector<uint8_t> OffscreenContext::ReadTopDown() const {
  std::vector<uint8_t> bottomUp(size_t(width) * height * 4), topDown(bottomUp.size());
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  size_t row = size_t(width) * 4;
  for (int y = 0; y < height; ++y)
    std::copy_n(&bottomUp[size_t(y) * row], row, &topDown[size_t(height - 1 - y) * row]);
  return topDown;
}

void LoadSceneFolder(RunState& run, FrameSize frame, ParseReport* report) {
  run.camera.frame = frame;
  InitSceneGlState(frame);
  LoadRunWorld(run, report);
  BeginRunFlight(run, kFactoryCameraSpeed, 0.0);
}

void UnloadSceneFolder() {
  RunState run;  // the tool draws no frame through the run core, so no run remembers a world
  ReleaseRunWorld(run);
  ResetGlyphFont();
  textureManager.Reset();
  native_platform::ResetAll();
  RandomReset();
  parseState = ParseState{};
  sceneClock = 0.0f;
}
