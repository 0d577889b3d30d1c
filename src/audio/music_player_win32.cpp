// MusicPlayer: the temporary library file, loading and look-up, the call
// sequence that starts the looping track, and the orderly way out.
//
// The temporary file is protected against replacement between writing and
// loading: after the write handle is closed, a read handle that denies
// write and delete sharing is opened, the file's bytes are compared with the
// resource, and only then is the library loaded; the read handle is closed
// once LoadLibraryA has returned (the loaded image then protects the file).
#include "audio/music_player_win32.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "platform/platform.h"

namespace {

// Arguments of the start sequence.
constexpr int32_t kOutputDevice = 1;  // the system's default output
constexpr uint32_t kOutputRate = 44100;
constexpr uint32_t kSampleFlags = 0x20000;  // kSampleOverridePosition
constexpr const char* kMusicMember = "music.ogg";

bool WriteWholeFile(const char* path, const ResourceBytes& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data, bytes.size, &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size;
}

// True when the open file holds exactly `bytes`.
bool HoldsBytes(HANDLE file, const ResourceBytes& bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart != LONGLONG(bytes.size)) return false;
  uint8_t* content = new (std::nothrow) uint8_t[bytes.size];
  if (!content) return false;
  DWORD read = 0;
  bool same = ReadFile(file, content, bytes.size, &read, nullptr) && read == bytes.size &&
              std::memcmp(content, bytes.data, bytes.size) == 0;
  delete[] content;
  return same;
}

// Opens the file so that no other handle may write, delete or rename it,
// and checks that it holds `bytes`. INVALID_HANDLE_VALUE on any mismatch.
HANDLE OpenVerified(const char* path, const ResourceBytes& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE && !HoldsBytes(file, bytes)) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  return file;
}

template <typename Fn>
bool LookUp(HMODULE library, const char* name, Fn* out) {
  *out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return *out != nullptr;
}

}  // namespace

void MusicPlayer::Start(void* mainWindow, uint32_t volume) {
  if (!WriteAndLoadLibrary()) return;  // no music; the run goes on
  if (!LookUpFunctions()) {
    Unload();
    return;
  }
  savedVolume = bassGetVolume();
  bassInit(kOutputDevice, kOutputRate, 0, mainWindow, nullptr);
  bassStart();
  bassSetVolume(volume);
  PlayTrack(volume);
}

bool MusicPlayer::WriteAndLoadLibrary() {
  ResourceBytes dll;
  if (!PlatformFindResource(kAudioLibraryResourceType, kAudioLibraryResourceId, &dll) || dll.size == 0)
    return false;
  char directory[MAX_PATH];
  DWORD length = GetTempPathA(MAX_PATH, directory);
  if (length == 0 || length >= MAX_PATH) return false;
  if (!GetTempFileNameA(directory, "bas", 0, TempLibraryPath)) {
    TempLibraryPath[0] = '\0';
    return false;
  }
  if (!WriteWholeFile(TempLibraryPath, dll)) return false;
  HANDLE guard = OpenVerified(TempLibraryPath, dll);
  if (guard == INVALID_HANDLE_VALUE) return false;
  library = LoadLibraryA(TempLibraryPath);
  CloseHandle(guard);
  return library != nullptr;
}

// The nine functions, in this order. A library missing any of them is not
// used: calling through a null pointer would end the process.
bool MusicPlayer::LookUpFunctions() {
  HMODULE module = static_cast<HMODULE>(library);
  bool all = LookUp(module, "BASS_ErrorGetCode", &bassErrorGetCode);
  all = LookUp(module, "BASS_Init", &bassInit) && all;
  all = LookUp(module, "BASS_Free", &bassFree) && all;
  all = LookUp(module, "BASS_SampleLoad", &bassSampleLoad) && all;
  all = LookUp(module, "BASS_SamplePlayEx", &bassSamplePlayEx) && all;
  all = LookUp(module, "BASS_SetVolume", &bassSetVolume) && all;
  all = LookUp(module, "BASS_Start", &bassStart) && all;
  all = LookUp(module, "BASS_Stop", &bassStop) && all;
  all = LookUp(module, "BASS_GetVolume", &bassGetVolume) && all;
  return all;
}

// A missing track (no member, or an empty one) is not handed to the library.
void MusicPlayer::PlayTrack(uint32_t volume) {
  musicFile.OpenMember(kMusicMember);
  if (!musicFile.data || musicFile.size == 0) return;
  uint32_t sample = bassSampleLoad(1, musicFile.data, 0, musicFile.size, 1, kSampleFlags);
  bassSamplePlayEx(sample, 0, kDefaultFrequency, int32_t(volume), kDefaultPan, 1);
}

void MusicPlayer::Stop() {
  if (!library) return;
  bassSetVolume(savedVolume);
  bassStop();
  bassFree();
  Unload();
}

void MusicPlayer::Unload() {
  FreeLibrary(static_cast<HMODULE>(library));
  library = nullptr;
}

// A library still loaded here has not been stopped; stopping it first keeps
// its playback thread from reading the track after it is released.
void MusicPlayer::Cleanup() {
  if (library) Stop();
  if (TempLibraryPath[0] != '\0') DeleteFileA(TempLibraryPath);
  TempLibraryPath[0] = '\0';
  musicFile.Close();
}
