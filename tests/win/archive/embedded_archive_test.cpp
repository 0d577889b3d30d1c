// Opens the data archive embedded in the real terrava.scr (loaded as a data
// file next to this test program) and reads members through ArchiveFile.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "archive/archive_file.h"
#include "platform/win32_platform.h"

namespace {

class EmbeddedArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);
    module = LoadLibraryExA((dir + "terrava.scr").c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    Win32SetResourceModule(module);
  }
  static void TearDownTestSuite() {
    Win32SetResourceModule(nullptr);
    if (module) FreeLibrary(module);
  }
  static HMODULE module;
};
HMODULE EmbeddedArchive::module = nullptr;

TEST_F(EmbeddedArchive, ModuleLoadsAndHoldsTheArchiveResource) {
  ASSERT_NE(module, nullptr);
  ASSERT_NE(FindResourceA(module, MAKEINTRESOURCEA(125), "CustomData"), nullptr);
  ASSERT_NE(FindResourceA(module, MAKEINTRESOURCEA(125), "customdata"), nullptr);
}

TEST_F(EmbeddedArchive, OpensTheTextureListByEverySpellingOfItsName) {
  ArchiveFile reference;
  ASSERT_TRUE(reference.OpenMember("texture.txt"));
  ASSERT_GT(reference.size, 0u);
  for (const char* name : {"TEXTURE.TXT", "Texture.Txt"}) {
    ArchiveFile file;
    ASSERT_TRUE(file.OpenMember(name)) << name;
    ASSERT_EQ(file.size, reference.size) << name;
    EXPECT_EQ(memcmp(file.data, reference.data, file.size), 0) << name;
  }
  char line[128];
  reference.ReadLine(line, sizeof line);
  EXPECT_GT(strlen(line), 0u);
}

TEST_F(EmbeddedArchive, FindsMembersInFoldersWithAnySeparatorAndCase) {
  for (const char* name : {"textures\\ocean.jpg", "textures/ocean.jpg", "TEXTURES_OCEAN.JPG",
                           "Textures\\Ocean.JPG"}) {
    ArchiveFile file;
    ASSERT_TRUE(file.OpenMember(name)) << name;
    ASSERT_GT(file.size, 2u) << name;
    EXPECT_EQ(file.data[0], 0xFF) << name;  // a JPEG starts with its SOI marker
    EXPECT_EQ(file.data[1], 0xD8) << name;
  }
}

TEST_F(EmbeddedArchive, MissingMemberLeavesAnEmptyStream) {
  ArchiveFile file;
  EXPECT_FALSE(file.OpenMember("no such member"));
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
}

}  // namespace
