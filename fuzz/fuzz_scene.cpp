// Fuzz target for the scene loaders. The input is a set of text members:
// a line "@@ NAME" starts the member NAME, and whatever comes before the
// first such line is "world.txt". A missing "env.txt" or "worlds.txt" gets
// a default naming "world.txt", so a plain object file exercises the whole
// chain. The members become the data archive; LoadScene reads it, and every
// world is updated and drawn for three frames into a tiny off-screen
// context. Sanitizers catch any stray read or write, and a parented or
// environment-less object must never be followed through a null pointer.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "archive/archive_file.h"
#include "camera/camera_controller.h"
#include "camera/random.h"
#include "gl_test_context.h"
#include "platform/native_platform.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene/geometry.h"
#include "scene/scene_world.h"
#include "unit/archive/test_archive_builder.h"

namespace {

// Inputs beyond 64 KiB add nothing a smaller scene cannot show.
constexpr size_t kMaxInput = 1u << 16;
constexpr size_t kMaxMemberName = 99;
constexpr int kSide = 8;  // pixels of the off-screen frame

std::map<std::string, std::string> SplitMembers(const std::string& input) {
  std::map<std::string, std::string> members;
  std::string name = "world.txt";
  size_t pos = 0;
  while (pos < input.size()) {
    size_t end = input.find('\n', pos);
    if (end == std::string::npos) end = input.size();
    std::string line = input.substr(pos, end - pos);
    if (line.compare(0, 3, "@@ ") == 0)
      name = line.substr(3, kMaxMemberName);
    else
      members[name] += line + "\n";
    pos = end + 1;
  }
  members.emplace("env.txt", "env e\nfirstpass world.txt\nend\nENV_END\n");
  members.emplace("worlds.txt", "world earth\nenv e\nobjects world.txt\nend\nWORLD_END\n");
  return members;
}

void InstallArchive(const std::map<std::string, std::string>& members) {
  std::vector<TestBlock> blocks;
  for (const auto& m : members) blocks.push_back(StoredMember(m.first, m.second));
  std::string archive = BuildArchive(blocks);
  native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
}

// One context for the whole run, made current on the first input.
void EnsureContext() {
  static GlTestContext context(kSide, kSide);
  static bool initialised = false;
  if (initialised) return;
  if (!context.Ready()) std::abort();
  initialised = true;
  InitSceneGlState(FrameSize{kSide, kSide});
}

void Play(const SceneWorld& world) {
  CameraController camera;
  camera.position = camera.eye = Vector3{0.0f, 0.0f, 1500.0f};
  camera.frame = FrameSize{kSide, kSide};  // flares scale to it and draw in its pixel space
  // Drawn every frame: a flare fades in only after a frame has drawn it.
  for (int frame = 0; frame < 3; ++frame) {
    UpdateWorld(world, 0.4);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderWorld(world, camera);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  EnsureContext();
  GLuint firstList = glGenLists(1);
  InstallArchive(SplitMembers(std::string(reinterpret_cast<const char*>(data), size)));
  ParseReport report;
  LoadScene(sceneRegistry, &report);
  SelectStartWorld(sceneRegistry);
  for (const auto& world : sceneRegistry.worlds) Play(*world);
  // Geometry lines compile display lists that the scene never frees; every
  // list named during this input is freed so a long campaign does not grow.
  GLuint lastList = glGenLists(1);
  glDeleteLists(firstList, GLsizei(lastList - firstList + 1));
  ReleaseScene(sceneRegistry);
  ResetGeometrySlots();
  RandomReset();
  return 0;
}
