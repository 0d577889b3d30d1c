// MusicPlayer: plays "music.ogg" from the data archive in a loop during a
// saver run, through the audio library that the executable carries as
// resource "BASS" 126. Start writes the library to a temporary "bas" file,
// loads it and looks its nine functions up by name; Stop puts the output
// volume back and unloads it; Cleanup deletes the temporary file. Nothing
// here ends the process: when the library cannot be written, verified or
// loaded, the run simply goes on without music. Windows build only.
#pragma once

#include <cstdint>

#include "archive/archive_file.h"
#include "audio/library/audio_library.h"

// Resource holding the audio library DLL.
constexpr const char* kAudioLibraryResourceType = "BASS";
constexpr int kAudioLibraryResourceId = 126;

class MusicPlayer {
 public:
  // Loads the library and starts the looping track at `volume` (the Volume
  // setting, 1..100), given both as output volume and playback volume.
  // mainWindow (HWND) is the saver's GL window.
  void Start(void* mainWindow, uint32_t volume);
  // Restores the saved output volume, stops and frees the library, unloads it.
  void Stop();
  // Stops and unloads the library if it is still loaded, deletes the
  // temporary file and releases the track.
  void Cleanup();
  bool IsLoaded() const { return library != nullptr; }

  char TempLibraryPath[260] = {};  // empty until a temporary file was created
  uint32_t savedVolume = 0;        // output volume before playback started, 0..100
  ArchiveFile musicFile;           // "music.ogg", kept for the whole run

 private:
  bool WriteAndLoadLibrary();
  bool LookUpFunctions();
  void PlayTrack(uint32_t volume);
  void Unload();

  void* library = nullptr;  // HMODULE; null when not loaded
  AudioErrorGetCodeFn bassErrorGetCode = nullptr;
  AudioInitFn bassInit = nullptr;
  AudioFreeFn bassFree = nullptr;
  AudioSampleLoadFn bassSampleLoad = nullptr;
  AudioSamplePlayExFn bassSamplePlayEx = nullptr;
  AudioSetVolumeFn bassSetVolume = nullptr;
  AudioStartFn bassStart = nullptr;
  AudioStopFn bassStop = nullptr;
  AudioGetVolumeFn bassGetVolume = nullptr;
};
