// The shipped scene folder (resources/data, packed into the data archive):
// text members in CR LF with their end markers, the texture list in its
// order, every texture a scene file names listed and present, no file that
// the saver does not read, and the mesh files equal to what the generators
// make (terrava-tool mesh writes them with the same code).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "scene/geometry.h"
#include "scene/geometry_builder.h"
#include "shipped_files.h"

namespace {

const char* const kTextureList[] = {"c.jpg",      "planet05.jpg", "ocean.jpg",  "mater.tga",  "light.jpg",
                                    "water.jpg",  "clouds.tga",   "scatt3.jpg", "scatt2.jpg", "scatt1.jpg",
                                    "500.jpg",    "stars2.jpg",   "stars.jpg",  "flare0.jpg", "ray.jpg",
                                    "ray2.jpg",   "flare1.jpg",   "tlens.jpg",  "lens4.jpg"};
const char* const kSceneFiles[] = {"world.txt", "firstpass.txt", "postpass.txt"};

std::string Data(const std::string& name) { return "resources/data/" + name; }

// The path after "texture " on a (space- or tab-indented) line, or "".
std::string TexturePath(std::string line) {
  line.erase(0, line.find_first_not_of(" \t"));
  const std::string keyword = "texture ";
  return line.compare(0, keyword.size(), keyword) == 0 ? line.substr(keyword.size()) : "";
}

TEST(ShippedScene, TextureListNamesTheNineteenTexturesInOrder) {
  std::vector<std::string> expected(std::begin(kTextureList), std::end(kTextureList));
  expected.push_back("");
  expected.push_back("END_TEXT");
  EXPECT_EQ(ReadShippedLines(Data("texture.txt")), expected);
}

TEST(ShippedScene, TextMembersUseCrLfAndEndWithTheirMarker) {
  struct Case {
    const char* file;
    const char* marker;
  };
  // text member, its last line
  const Case cases[] = {{"worlds.txt", "WORLD_END"}, {"env.txt", "ENV_END"},        {"world.txt", "ENDWORLD"},
                        {"firstpass.txt", "ENDWORLD"}, {"postpass.txt", "ENDWORLD"}, {"texture.txt", "END_TEXT"}};
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = ReadShippedFile(Data(c.file));
    ASSERT_GE(bytes.size(), 2u) << c.file;
    for (size_t i = 0; i < bytes.size(); ++i) {
      bool bareLf = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      bool strayCr = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
      ASSERT_FALSE(bareLf || strayCr) << c.file << ": line end at byte " << i;
    }
    EXPECT_EQ(bytes.back(), '\n') << c.file;
    std::vector<std::string> lines = ReadShippedLines(Data(c.file));
    EXPECT_EQ(lines.back(), c.marker) << c.file;
    for (const std::string& line : lines) EXPECT_LT(line.size(), 128u) << c.file << ": " << line;
  }
}

TEST(ShippedScene, EveryTextureASceneFileNamesIsListedAndShipped) {
  std::set<std::string> listed;
  for (const char* name : kTextureList) listed.insert(std::string("textures\\") + name);
  std::set<std::string> files;
  for (const std::string& name : ListShippedTree("resources/data")) files.insert(Lower(name));
  for (const char* name : kTextureList) EXPECT_EQ(files.count(Lower(std::string("textures/") + name)), 1u) << name;

  size_t named = 0;
  for (const char* scene : kSceneFiles)
    for (const std::string& line : ReadShippedLines(Data(scene))) {
      std::string path = TexturePath(line);
      if (path.empty()) continue;
      ++named;
      EXPECT_EQ(listed.count(path), 1u) << scene << ": " << line;
    }
  EXPECT_GE(named, 15u);
}

TEST(ShippedScene, ArchiveTreeHoldsOnlyFilesTheSaverReads) {
  std::vector<std::string> expected = {"env.txt",   "firstpass.txt",      "meshes/env.dat", "meshes/sph_low.dat",
                                       "meshes/sphere.dat", "music.ogg", "postpass.txt",   "texture.txt",
                                       "textures/sign.jpg", "world.txt", "worlds.txt"};
  for (const char* name : kTextureList) expected.push_back(std::string("textures/") + name);
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> shipped;
  for (const std::string& name : ListShippedTree("resources/data")) shipped.push_back(Lower(name));
  std::sort(shipped.begin(), shipped.end());
  EXPECT_EQ(shipped, expected);
}

TEST(ShippedScene, MeshFilesAreTheGeneratedGeometries) {
  struct Case {
    const char* file;
    GeometryData generated;
    size_t vertices, faces, texCoords;
  };
  // member file, generator output, vertex, face and texture coordinate counts
  const Case cases[] = {{"meshes/sphere.dat", BuildIcosphere(3), 642, 1280, 718},
                        {"meshes/sph_low.dat", BuildIcosphere(1), 42, 80, 64},
                        {"meshes/env.dat", BuildEnvCube(), 8, 12, 24}};
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = ReadShippedFile(Data(c.file));
    EXPECT_EQ(bytes, EncodeGeometry(c.generated)) << c.file;
    GeometryData decoded;
    const char* failure = nullptr;
    ASSERT_TRUE(DecodeGeometry(bytes.data(), bytes.size(), false, &decoded, &failure)) << c.file << ": " << failure;
    EXPECT_EQ(decoded.vertices.size(), c.vertices) << c.file;
    EXPECT_EQ(decoded.FaceCount(), c.faces) << c.file;
    EXPECT_EQ(decoded.texCoords.size() / 2, c.texCoords) << c.file;
  }
}

}  // namespace
