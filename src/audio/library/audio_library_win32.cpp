// The nine exported functions of terrava_audio.dll. Each one serialises on
// the API lock, checks its arguments through the AudioEngine, records its
// outcome for BASS_ErrorGetCode and returns the documented failure value
// instead of failing in any other way. The playback thread reaches the
// engine only through MixFromThread, under the mix lock; BASS_Free stops
// that thread without holding the mix lock, so the two can never wait on
// each other.
#include <windows.h>

#include <mmsystem.h>

#include "audio/library/audio_engine.h"
#include "audio/library/audio_library.h"
#include "audio/library/wave_output_win32.h"

namespace {

SRWLOCK apiLock = SRWLOCK_INIT;  // one exported call at a time
SRWLOCK mixLock = SRWLOCK_INIT;  // engine state shared with the playback thread
AudioEngine engine;
WaveOutput output;
int32_t lastError = kAudioOk;

class Guard {
 public:
  explicit Guard(SRWLOCK* lock) : lock(lock) { AcquireSRWLockExclusive(lock); }
  ~Guard() { ReleaseSRWLockExclusive(lock); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  SRWLOCK* lock;
};

// Records the outcome and returns `value` on success, `failure` otherwise.
template <typename T>
T Finish(AudioError error, T value, T failure) {
  lastError = error;
  return error == kAudioOk ? value : failure;
}

void MixFromThread(void*, int16_t* out, uint32_t frames) {
  Guard guard(&mixLock);
  engine.Mix(out, frames);
}

// The waveOut device for a library device number (see audio_library.h).
AudioError DeviceFor(int32_t device, UINT* deviceId) {
  UINT count = waveOutGetNumDevs();
  if ((device == 1 || device == -1) && count > 0) {
    *deviceId = WAVE_MAPPER;
    return kAudioOk;
  }
  if (device >= 2 && UINT(device - 2) < count) {
    *deviceId = UINT(device - 2);
    return kAudioOk;
  }
  return kAudioErrorDevice;
}

AudioError Init(int32_t device, uint32_t frequency, uint32_t flags) {
  if (engine.IsOpen()) return kAudioErrorAlready;
  if (flags != 0 || frequency < kMinOutputRate || frequency > kMaxOutputRate)
    return kAudioErrorIllegalParameter;
  UINT deviceId = 0;
  if (device != 0) {
    AudioError found = DeviceFor(device, &deviceId);
    if (found != kAudioOk) return found;
  }
  {
    Guard mix(&mixLock);
    engine.Open(frequency);
  }
  AudioError opened = device == 0 ? kAudioOk : output.Open(deviceId, frequency, MixFromThread, nullptr);
  if (opened != kAudioOk) {
    Guard mix(&mixLock);
    engine.Close();
  }
  return opened;
}

}  // namespace

extern "C" {

int32_t AUDIO_CALL BASS_ErrorGetCode() { return lastError; }

int32_t AUDIO_CALL BASS_Init(int32_t device, uint32_t frequency, uint32_t flags, void*, const void*) {
  Guard api(&apiLock);
  return Finish(Init(device, frequency, flags), 1, 0);
}

int32_t AUDIO_CALL BASS_Free() {
  Guard api(&apiLock);
  AudioError error;
  {
    Guard mix(&mixLock);
    error = engine.Close();
  }
  output.Close();
  return Finish(error, 1, 0);
}

uint32_t AUDIO_CALL BASS_SampleLoad(int32_t fromMemory, const void* data, uint32_t offset,
                                    uint32_t length, uint32_t maxPlaybacks, uint32_t flags) {
  Guard api(&apiLock);
  if (!engine.IsOpen()) return Finish(kAudioErrorInit, 0u, 0u);
  if (!fromMemory) return Finish(kAudioErrorNotAvailable, 0u, 0u);
  if (!data) return Finish(kAudioErrorIllegalParameter, 0u, 0u);
  // No mix lock: decoding takes a while and the playback thread keeps mixing
  // meanwhile. Loading fills a free sample slot, which no voice refers to,
  // and the mixer reads samples only through its voices.
  uint32_t handle = 0;
  AudioError error = engine.LoadSample(static_cast<const uint8_t*>(data) + offset, length,
                                       maxPlaybacks, flags, &handle);
  return Finish(error, handle, 0u);
}

uint32_t AUDIO_CALL BASS_SamplePlayEx(uint32_t sample, uint32_t start, int32_t frequency,
                                      int32_t volume, int32_t pan, int32_t loop) {
  Guard api(&apiLock);
  Guard mix(&mixLock);
  uint32_t channel = 0;
  AudioError error = engine.PlaySample(sample, start, frequency, volume, pan, loop != 0, &channel);
  return Finish(error, channel, 0u);
}

int32_t AUDIO_CALL BASS_SetVolume(uint32_t volume) {
  Guard api(&apiLock);
  Guard mix(&mixLock);
  return Finish(engine.SetVolume(volume), 1, 0);
}

int32_t AUDIO_CALL BASS_Start() {
  Guard api(&apiLock);
  if (!engine.IsOpen()) return Finish(kAudioErrorInit, 1, 0);
  output.Resume();
  return Finish(kAudioOk, 1, 0);
}

int32_t AUDIO_CALL BASS_Stop() {
  Guard api(&apiLock);
  if (!engine.IsOpen()) return Finish(kAudioErrorInit, 1, 0);
  output.Pause();
  return Finish(kAudioOk, 1, 0);
}

uint32_t AUDIO_CALL BASS_GetVolume() {
  Guard api(&apiLock);
  return Finish(kAudioOk, engine.Volume(), kAudioBadVolume);
}

}  // extern "C"
