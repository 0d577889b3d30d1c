// The shell's resources in the real terrava.scr: the manifest that makes
// the program per-monitor DPI aware, the icon, the version and the
// factory defaults.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class TerravaResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    file = dir.substr(0, dir.find_last_of("\\/") + 1) + "terrava.scr";
    module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  static void TearDownTestSuite() {
    if (module) FreeLibrary(module);
  }
  static std::string Bytes(const char* type, int id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, info)));
    return data ? std::string(data, SizeofResource(module, info)) : std::string();
  }
  static std::string file;
  static HMODULE module;
};
std::string TerravaResources::file;
HMODULE TerravaResources::module = nullptr;

TEST_F(TerravaResources, ManifestAsksForPerMonitorDpiAwareness) {
  ASSERT_NE(module, nullptr);
  std::string manifest = Bytes(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID
  EXPECT_NE(manifest.find("<dpiAwareness"), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("true/pm"), std::string::npos);
}

TEST_F(TerravaResources, IconDefaultsAndPreviewPictureArePresent) {
  ASSERT_NE(module, nullptr);
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(111), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(112), MAKEINTRESOURCEA(2)), nullptr);   // RT_BITMAP
  std::string defaults = Bytes("CustomData", 115);
  EXPECT_NE(defaults.find("MusicVolume"), std::string::npos);
  EXPECT_NE(defaults.find("\r\n"), std::string::npos);  // shipped with CR LF line ends
}

TEST_F(TerravaResources, VersionNamesTheProduct) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(file.c_str(), 0, size, &block[0]));
  char* name = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductName",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, "Terrava");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwProductVersionMS), 1u);
}

}  // namespace
