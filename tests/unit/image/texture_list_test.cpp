// The texture list read from the data archive: entries in list order, one
// loading step per texture, the end marker by its first 8 characters, blank
// lines, leading spaces, archive names that differ in case, and lookup by
// exact path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_file.h"
#include "image/texture_manager.h"
#include "platform/native_platform.h"
#include "unit/archive/test_archive_builder.h"
#include "gl_test_context.h"
#include "unit/image/image_test_util.h"

namespace {

std::string TestFileText(const std::string& relative) {
  const std::vector<uint8_t> bytes = ReadWholeFile(ImageDataPath(relative));
  return std::string(bytes.begin(), bytes.end());
}

class TextureList : public ::testing::Test {
 protected:
  void SetUp() override {
    native_platform::ResetAll();
    ASSERT_TRUE(gl.Ready());
  }
  void TearDown() override {
    textureManager.Reset();
    native_platform::ResetAll();
  }

  // Puts a data archive with the given list file and a few textures, stored
  // under names whose case differs from the list's, into resource 125.
  void UseArchive(const std::string& list) {
    const std::string jpeg = TestFileText("render/quadrants.jpg");
    const std::string tga = TestFileText("render/quadrants32.tga");
    const std::string archive = BuildArchive({
        StoredMember("texture.txt", list),
        DirectoryEntry("textures"),
        StoredMember("textures\\PLANET05.JPG", jpeg),
        StoredMember("textures\\ocean.jpg", jpeg),
        StoredMember("textures\\lens4.JPG", jpeg),
        StoredMember("textures\\mater.tga", tga),
        StoredMember("textures\\broken.jpg", "not a JPEG at all"),
    });
    native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
  }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& texture : textureManager.Entries()) paths.push_back(texture->path);
    return paths;
  }

  GlTestContext gl{8, 8};
};

TEST_F(TextureList, LoadsEveryListedNameInOrder) {
  UseArchive("c.jpg\r\nplanet05.jpg\r\nocean.jpg\r\nmater.tga\r\nlens4.jpg\r\nbroken.jpg\r\n\r\nEND_TEXT\r\n");
  LoadTextureList(textureManager, "texture.txt", true);
  const std::vector<std::string> expected = {"textures\\c.jpg",     "textures\\planet05.jpg", "textures\\ocean.jpg",
                                             "textures\\mater.tga", "textures\\lens4.jpg",    "textures\\broken.jpg"};
  EXPECT_EQ(Paths(), expected);
  EXPECT_EQ(native_platform::LoadingSteps(), 6);
  const bool loaded[] = {false, true, true, true, true, false};  // c.jpg is missing, broken.jpg undecodable
  int i = 0;
  for (const auto& texture : textureManager.Entries()) EXPECT_EQ(texture->glName != 0, loaded[i++]) << texture->path;
}

TEST_F(TextureList, FindsByExactPathOnly) {
  UseArchive("planet05.jpg\nlens4.jpg\nc.jpg\nEND_TEXT\n");
  LoadTextureList(textureManager, "texture.txt", true);
  Texture* lens = FindTexture(textureManager, "textures\\lens4.jpg");  // stored as lens4.JPG
  ASSERT_NE(lens, nullptr);
  EXPECT_NE(lens->glName, 0u);
  EXPECT_EQ(FindTexture(textureManager, "textures\\PLANET05.JPG"), nullptr);
  EXPECT_EQ(FindTexture(textureManager, "textures/planet05.jpg"), nullptr);
  EXPECT_EQ(FindTexture(textureManager, "planet05.jpg"), nullptr);
  Texture* missing = FindTexture(textureManager, "textures\\c.jpg");  // listed, not in the archive
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->glName, 0u);
}

TEST_F(TextureList, ReturnsTheFirstOfDuplicates) {
  UseArchive("ocean.jpg\nocean.jpg\nEND_TEXT\n");
  LoadTextureList(textureManager, "texture.txt", true);
  ASSERT_EQ(textureManager.Entries().size(), 2u);
  const Texture* first = textureManager.Entries().front().get();
  const Texture* second = textureManager.Entries().back().get();
  EXPECT_EQ(FindTexture(textureManager, "textures\\ocean.jpg"), first);
  EXPECT_NE(first->glName, second->glName);
}

TEST_F(TextureList, ReadsLinesByTheListRules) {
  struct {
    const char* what;
    const char* list;
    std::vector<std::string> paths;
  } const cases[] = {
      // what, list file, expected paths
      {"END_TEXTURES ends the list", "END_TEXTURES\nocean.jpg\n", {}},
      {"leading spaces, first word only", "  ocean.jpg  other words\nEND_TEXT\n", {"textures\\ocean.jpg"}},
      {"a tab ends the word", "ocean.jpg\tx\nEND_TEXT\n", {"textures\\ocean.jpg"}},
      {"leading tab skipped", "\t mater.tga\nEND_TEXT\n", {"textures\\mater.tga"}},
      {"blank and space-only lines", "   \n\n\r\nocean.jpg\nEND_TEXT\n", {"textures\\ocean.jpg"}},
      {"last line without LF, no marker", "lens4.jpg\nocean.jpg", {"textures\\lens4.jpg", "textures\\ocean.jpg"}},
      {"a shorter marker is a name", "END_TEX\nEND_TEXT\n", {"textures\\END_TEX"}},
      {"indented marker", "  END_TEXT\nocean.jpg\n", {}},
      {"empty list file", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    native_platform::ResetAll();
    textureManager.Reset();
    UseArchive(c.list);
    LoadTextureList(textureManager, "texture.txt", true);
    EXPECT_EQ(Paths(), c.paths);
    EXPECT_EQ(native_platform::LoadingSteps(), int(c.paths.size()));
  }
}

TEST_F(TextureList, ReportsProgressOnlyWhenAsked) {
  UseArchive("ocean.jpg\nmater.tga\nEND_TEXT\n");
  LoadTextureList(textureManager, "texture.txt", false);
  EXPECT_EQ(textureManager.Entries().size(), 2u);
  EXPECT_EQ(native_platform::LoadingSteps(), 0);
}

TEST_F(TextureList, MissingListLeavesTheListAlone) {
  UseArchive("ocean.jpg\nEND_TEXT\n");
  LoadTextureList(textureManager, "texture.txt", true);
  LoadTextureList(textureManager, "textures.txt", true);
  EXPECT_EQ(textureManager.Entries().size(), 1u);
  EXPECT_EQ(native_platform::LoadingSteps(), 1);
  textureManager.Reset();
  EXPECT_TRUE(textureManager.Entries().empty());
  EXPECT_EQ(FindTexture(textureManager, "textures\\ocean.jpg"), nullptr);
}

TEST_F(TextureList, LoadsTgaFromTheArchiveWhateverTheResourceFlag) {
  UseArchive("");
  AddResourceFromTestFile(117, "render/quadrants.jpg");
  for (const char* name : {"mater.tga", "mater.TGA"}) {
    SCOPED_TRACE(name);
    Texture texture;
    EXPECT_TRUE(texture.LoadFromResource(name, 117));
  }
  Texture notThere;
  EXPECT_FALSE(notThere.LoadFromResource("clouds.tga", 117));
}

TEST(TexturePath, CarriesAlphaOnlyForLowerCaseTga) {
  struct {
    const char* path;
    bool alpha;
  } const cases[] = {
      {"textures\\mater.tga", true}, {"textures\\mater.TGA", false}, {"textures\\x.Tga", false},
      {"textures\\c.jpg", false},    {"tga", true},                  {"ga", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(TexturePathCarriesAlpha(c.path), c.alpha) << c.path;
}

}  // namespace
