// Shared set-up of the scene tests: a fresh process state per test, a data
// archive built in memory from named members (the real RarReader reads it
// through the platform's resource table), textures registered under their
// paths, and object lookups by kind.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "camera/random.h"
#include "gl_test_context.h"
#include "image/texture_manager.h"
#include "platform/opengl.h"
#include "platform/native_platform.h"
#include "scene/geometry.h"
#include "scene/geometry_builder.h"
#include "scene/scene_file.h"
#include "scene/scene_world.h"
#include "scene/sphere.h"
#include "scene_loading.h"
#include "unit/archive/test_archive_builder.h"

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProcessState(); }
  void TearDown() override { ResetProcessState(); }

  static void ResetProcessState() { UnloadSceneFolder(); }

  // Members of the data archive; InstallArchive makes them resource 125.
  void AddMember(const std::string& name, const std::string& content) { members[name] = content; }
  void AddGeometryMember(const std::string& name, const GeometryData& g) {
    std::vector<uint8_t> bytes = EncodeGeometry(g);
    members[name] = std::string(bytes.begin(), bytes.end());
  }
  void InstallArchive() {
    std::vector<TestBlock> blocks;
    for (const auto& m : members) blocks.push_back(StoredMember(m.first, m.second));
    std::string archive = BuildArchive(blocks);
    native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(),
                                 uint32_t(archive.size()));
  }

  // The standard meshes in the archive: sphere.dat (3 subdivisions) and env.dat.
  void AddStandardMeshes() {
    AddGeometryMember("meshes\\sphere.dat", BuildIcosphere(3));
    AddGeometryMember("meshes\\env.dat", BuildEnvCube());
  }

  // A texture list entry with the given path and GL name (no image needed
  // for parsing).
  static void RegisterTexture(const char* path, uint32_t glName) {
    Texture* t = new Texture;
    std::snprintf(t->path, sizeof t->path, "%s", path);
    t->glName = glName;
    textureManager.Append(t);
  }

  // Parses one object file given as text into list.
  void LoadObjects(const std::string& text, ObjectList& list, ParseReport* report = nullptr) {
    AddMember("objects.txt", text);
    InstallArchive();
    LoadObjectFile("objects.txt", list, report);
  }

  template <class Kind>
  static Kind* As(const ObjectList& list, size_t index) {
    return index < list.Count() ? dynamic_cast<Kind*>(list.At(index)) : nullptr;
  }

  std::map<std::string, std::string> members;
};

// An RGB texture without mipmaps from width x height texels (row 0 at
// texture coordinate t = 0), filtered by filter (GL_LINEAR, GL_NEAREST).
inline uint32_t RgbTexture(int width, int height, const uint8_t* texels, GLint filter) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  return name;
}

// A 2 x 2 texture of one colour, without mipmaps.
inline uint32_t SolidTexture(uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t texels[12] = {r, g, b, r, g, b, r, g, b, r, g, b};
  return RgbTexture(2, 2, texels, GL_LINEAR);
}
