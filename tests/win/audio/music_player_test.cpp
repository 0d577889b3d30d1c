// MusicPlayer under Wine, with resource modules standing in for
// terrava.scr: the exact call sequence and arguments (through a library
// that records its calls), the temporary "bas" file's life and protection,
// and the run going on without music when the library or the track is
// missing or cannot be loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio/music_player_win32.h"
#include "platform/win32_platform.h"

namespace {

void* const kWindow = reinterpret_cast<void*>(0x1234);  // stands in for the saver's HWND

std::string ExeFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string TempFolder() {
  char dir[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, dir);
  return std::string(dir, n);
}

// Names of the "bas*.tmp" files in the temporary folder.
std::vector<std::string> LibraryFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((TempFolder() + "bas*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string Line(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return std::string(line) + "\n";
}

// Takes resources from one scenario module (nullptr: the test program,
// which holds no library resource).
class MusicPlayerTest : public ::testing::Test {
 protected:
  void UseScenario(const char* name) {
    scenario = LoadLibraryExA((ExeFolder() + name).c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(scenario, nullptr) << name;
    Win32SetResourceModule(scenario);
  }
  void SetUp() override { filesBefore = LibraryFiles(); }
  void TearDown() override {
    Win32SetResourceModule(nullptr);
    if (scenario) FreeLibrary(scenario);
    EXPECT_EQ(LibraryFiles(), filesBefore) << "a bas*.tmp file was left behind";
  }
  // Keeps the started library in memory after the player unloads it, so
  // that its record can be read; returns the record so far.
  std::string Recorded(HMODULE held) {
    using RecordedFn = const char* (*)();
    auto fn = reinterpret_cast<RecordedFn>(reinterpret_cast<void*>(GetProcAddress(held, "RecordedCalls")));
    return fn ? fn() : "";
  }

  HMODULE scenario = nullptr;
  std::vector<std::string> filesBefore;
};

TEST_F(MusicPlayerTest, StartsAndStopsTheLibraryWithTheStatedCallsAndArguments) {
  UseScenario("audio_scenario_recorder.dll");
  MusicPlayer player;
  player.Start(kWindow, 55);
  ASSERT_TRUE(player.IsLoaded());
  EXPECT_EQ(player.savedVolume, 64u);
  HMODULE held = LoadLibraryA(player.TempLibraryPath);
  ASSERT_NE(held, nullptr);
  ASSERT_NE(player.musicFile.data, nullptr);
  std::string start = Line("GetVolume()") + Line("Init(%d,%u,%u,%p,%p)", 1, 44100u, 0u, kWindow, nullptr) +
                      Line("Start()") + Line("SetVolume(55)") +
                      Line("SampleLoad(%d,%p,%u,%u,%u,0x%x)", 1, player.musicFile.data, 0u,
                           player.musicFile.size, 1u, 0x20000u) +
                      Line("SamplePlayEx(0x4242,0,-1,55,-101,1)");
  EXPECT_EQ(Recorded(held), start);

  player.Stop();
  EXPECT_FALSE(player.IsLoaded());
  EXPECT_EQ(Recorded(held), start + "SetVolume(64)\nStop()\nFree()\n");
  FreeLibrary(held);
  player.Cleanup();
  EXPECT_FALSE(FileExists(player.TempLibraryPath));
  EXPECT_EQ(player.musicFile.data, nullptr);
}

TEST_F(MusicPlayerTest, WritesTheLibraryToAUniqueBasFileInTheTemporaryFolder) {
  UseScenario("audio_scenario_real.dll");
  MusicPlayer player;
  player.Start(kWindow, 100);
  ASSERT_TRUE(player.IsLoaded());
  std::string path = player.TempLibraryPath;
  std::string name = path.substr(path.find_last_of('\\') + 1);
  EXPECT_EQ(path.substr(0, path.size() - name.size()), TempFolder());
  EXPECT_EQ(name.substr(0, 3), "bas");
  EXPECT_EQ(name.substr(name.size() - 4), ".tmp");
  // The loaded library cannot be replaced, written or deleted meanwhile.
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(DeleteFileA(path.c_str()));
  player.Stop();
  EXPECT_TRUE(FileExists(path.c_str()));  // deleted at Cleanup, not at Stop
  player.Cleanup();
  EXPECT_FALSE(FileExists(path.c_str()));
}

TEST_F(MusicPlayerTest, AMissingTrackIsNotHandedToTheLibrary) {
  UseScenario("audio_scenario_no_music.dll");
  MusicPlayer player;
  player.Start(kWindow, 30);
  ASSERT_TRUE(player.IsLoaded());
  HMODULE held = LoadLibraryA(player.TempLibraryPath);
  std::string calls = Recorded(held);
  EXPECT_EQ(calls.find("SampleLoad"), std::string::npos) << calls;
  EXPECT_EQ(calls.find("SamplePlayEx"), std::string::npos) << calls;
  player.Stop();
  FreeLibrary(held);
  player.Cleanup();
}

TEST_F(MusicPlayerTest, ALibraryThatCannotBeLoadedLeavesTheRunWithoutMusic) {
  UseScenario("audio_scenario_broken.dll");
  MusicPlayer player;
  player.Start(kWindow, 50);  // the process goes on
  EXPECT_FALSE(player.IsLoaded());
  player.Stop();
  player.Cleanup();
  EXPECT_EQ(player.TempLibraryPath[0], '\0');
}

TEST_F(MusicPlayerTest, WithoutALibraryResourceNothingIsWritten) {
  MusicPlayer player;
  player.Start(kWindow, 50);
  EXPECT_FALSE(player.IsLoaded());
  EXPECT_EQ(player.TempLibraryPath[0], '\0');
  EXPECT_EQ(LibraryFiles(), filesBefore);
  player.Cleanup();
}

TEST_F(MusicPlayerTest, CleanupStopsALibraryThatWasNotStopped) {
  UseScenario("audio_scenario_real.dll");
  MusicPlayer player;
  player.Start(kWindow, 80);
  ASSERT_TRUE(player.IsLoaded());
  std::string path = player.TempLibraryPath;
  player.Cleanup();
  EXPECT_FALSE(player.IsLoaded());
  EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);
  EXPECT_FALSE(FileExists(path.c_str()));
}

}  // namespace
