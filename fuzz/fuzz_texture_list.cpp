// Fuzz target for the texture list. The input is the text of "texture.txt";
// the in-memory data archive beside it holds two real images, a JPEG and a
// TGA, under the names a list may ask for (and the same names in other
// cases, so that case-sensitive matching is exercised). LoadTextureList
// reads the list into a fresh TextureManager with progress reports on, inside
// a tiny off-screen GL context. Every listed name must yield exactly one
// entry whose path fits its 32-byte field, and a texture found by path must
// be the first entry with that path.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/archive_file.h"
#include "gl_test_context.h"
#include "image/texture_manager.h"
#include "platform/native_platform.h"
#include "platform/opengl.h"
#include "unit/archive/test_archive_builder.h"

namespace {

// Lists beyond 16 KiB add nothing a shorter list cannot show; each line
// may decode an image, so longer inputs only slow the campaign.
constexpr size_t kMaxInput = 1u << 14;
constexpr int kSide = 4;  // pixels of the off-screen frame

std::string ReadSeedImage(const char* name) {
  std::ifstream in(std::string(TERRAVA_FUZZ_CORPUS_DIR) + "/" + name, std::ios::binary);
  if (!in) std::abort();
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The members every input's archive holds besides the list: two images
// under several names, and a member that is not an image at all.
std::vector<TestBlock> ImageMembers() {
  const std::string jpeg = ReadSeedImage("fuzz_jpeg/baseline-420.jpg");
  const std::string tga = ReadSeedImage("fuzz_tga/truecolor32-rle.tga");
  return {
      StoredMember("textures\\earth.jpg", jpeg), StoredMember("textures\\EARTH.JPG", jpeg),
      StoredMember("textures\\clouds.tga", tga), StoredMember("textures\\Clouds.TGA", tga),
      StoredMember("textures\\swapped.jpg", tga), StoredMember("textures\\swapped.tga", jpeg),
      StoredMember("textures\\readme.txt", "not an image\r\n"),
  };
}

void EnsureContext() {
  static GlTestContext context(kSide, kSide);
  if (!context.Ready()) std::abort();
}

void CheckEntries(const TextureManager& manager) {
  for (const auto& texture : manager.Entries()) {
    if (std::memchr(texture->path, '\0', sizeof texture->path) == nullptr) std::abort();
    if (std::strncmp(texture->path, "textures\\", 9) != 0) std::abort();
    const Texture* found = FindTexture(manager, texture->path);
    if (found == nullptr || std::strcmp(found->path, texture->path) != 0) std::abort();
  }
  if (size_t(native_platform::LoadingSteps()) != manager.Entries().size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  static const std::vector<TestBlock> images = ImageMembers();
  EnsureContext();
  native_platform::ResetAll();
  std::vector<TestBlock> blocks = images;
  blocks.push_back(StoredMember("texture.txt", std::string(reinterpret_cast<const char*>(data), size)));
  const std::string archive = BuildArchive(blocks);
  native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
  TextureManager manager;
  LoadTextureList(manager, "texture.txt", true);
  CheckEntries(manager);
  // Texture names made during this input are freed so a long campaign
  // does not grow; the list itself never deletes them.
  for (const auto& texture : manager.Entries())
    if (texture->glName != 0) glDeleteTextures(1, &texture->glName);
  manager.Reset();
  return 0;
}
