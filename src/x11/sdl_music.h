// SdlMusic: the saver's music in the native program. The data archive's
// music.ogg is decoded and looped by the same audio engine as the Windows
// audio library, at the same volume, and played through SDL2's audio
// subsystem. Without a sound device or a track the program runs silently,
// after one line on stderr.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

#include "archive/archive_file.h"
#include "audio/library/audio_engine.h"

class SdlMusic {
 public:
  SdlMusic() = default;
  ~SdlMusic();
  SdlMusic(const SdlMusic&) = delete;
  SdlMusic& operator=(const SdlMusic&) = delete;

  // Starts the looping track at volume (0..100). False, with a line on
  // stderr, when there is no track or no sound device.
  bool Start(uint32_t volume);
  // Stops the sound and releases the device and the track. Harmless twice.
  void Stop();

 private:
  static void FillBuffer(void* self, Uint8* stream, int bytes);
  bool OpenDevice();
  bool PlayTrack(uint32_t volume);

  AudioEngine engine_;
  ArchiveFile track_;
  SDL_AudioDeviceID device_ = 0;
  bool audioStarted_ = false;  // SDL's audio subsystem is initialised
};
