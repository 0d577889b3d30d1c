// WaveOutput: a waveOut device fed by a playback thread of its own. The
// thread keeps kBufferCount buffers queued at the device and refills each
// one, through a mix callback, as soon as the device hands it back. The
// queue holds about a third of a second, so the saver's frame loop and its
// renderer threads may take the CPU for that long without a dropout.
// Windows build only.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>

#include "audio/library/audio_library.h"

class WaveOutput {
 public:
  // Fills `frames` stereo 16-bit frames at `out`. Called on the playback thread.
  using MixCallback = void (*)(void* context, int16_t* out, uint32_t frames);

  WaveOutput() = default;
  ~WaveOutput() { Close(); }
  WaveOutput(const WaveOutput&) = delete;
  WaveOutput& operator=(const WaveOutput&) = delete;

  // Opens waveOut device `deviceId` (or WAVE_MAPPER) for 16-bit stereo at
  // `rate` Hz and starts the playback thread. kAudioErrorDriver when the
  // device cannot be opened, kAudioErrorMemory when the thread cannot start.
  AudioError Open(UINT deviceId, uint32_t rate, MixCallback mix, void* context);
  // Stops the thread (waiting for it) and closes the device. The mix
  // callback is not called after Close returns.
  void Close();
  void Pause();
  void Resume();

 private:
  static constexpr uint32_t kBufferCount = 8;
  static constexpr uint32_t kBufferFrames = 2048;  // 46 ms at 44100 Hz
  static constexpr DWORD kWakeMilliseconds = 50;   // longest sleep between checks

  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void Refill(WAVEHDR* header);
  bool PrepareBuffers();
  void ReleaseDevice();

  HWAVEOUT device = nullptr;
  HANDLE bufferDone = nullptr;  // auto-reset event the device signals per finished buffer
  HANDLE thread = nullptr;
  HMODULE moduleReference = nullptr;  // this DLL, held by the thread until it exits
  volatile LONG stopping = 0;
  MixCallback mix = nullptr;
  void* mixContext = nullptr;
  WAVEHDR headers[kBufferCount] = {};
  int16_t* memory = nullptr;  // kBufferCount * kBufferFrames stereo frames
};
