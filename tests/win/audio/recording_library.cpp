// A stand-in for the audio library that records every call with its
// arguments, one line each, so that tests can check the exact sequence the
// MusicPlayer makes. Its volume starts at 64, so the restore at Stop shows.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "audio/library/audio_library.h"

namespace {

char recorded[4096];  // one line per call, truncated at capacity

void Record(const char* format, ...) {
  size_t used = std::strlen(recorded);
  va_list args;
  va_start(args, format);
  std::vsnprintf(recorded + used, sizeof recorded - used, format, args);
  va_end(args);
  used = std::strlen(recorded);
  if (used + 1 < sizeof recorded) std::strcat(recorded, "\n");
}

}  // namespace

extern "C" {

const char* RecordedCalls() { return recorded; }

int32_t AUDIO_CALL BASS_ErrorGetCode() {
  Record("ErrorGetCode()");
  return 0;
}
int32_t AUDIO_CALL BASS_Init(int32_t device, uint32_t frequency, uint32_t flags, void* window, const void* guid) {
  Record("Init(%d,%u,%u,%p,%p)", device, frequency, flags, window, guid);
  return 1;
}
int32_t AUDIO_CALL BASS_Free() {
  Record("Free()");
  return 1;
}
uint32_t AUDIO_CALL BASS_SampleLoad(int32_t fromMemory, const void* data, uint32_t offset, uint32_t length,
                                    uint32_t maxPlaybacks, uint32_t flags) {
  Record("SampleLoad(%d,%p,%u,%u,%u,0x%x)", fromMemory, data, offset, length, maxPlaybacks, flags);
  return 0x4242;
}
uint32_t AUDIO_CALL BASS_SamplePlayEx(uint32_t sample, uint32_t start, int32_t frequency, int32_t volume,
                                      int32_t pan, int32_t loop) {
  Record("SamplePlayEx(0x%x,%u,%d,%d,%d,%d)", sample, start, frequency, volume, pan, loop);
  return 0x77;
}
int32_t AUDIO_CALL BASS_SetVolume(uint32_t volume) {
  Record("SetVolume(%u)", volume);
  return 1;
}
int32_t AUDIO_CALL BASS_Start() {
  Record("Start()");
  return 1;
}
int32_t AUDIO_CALL BASS_Stop() {
  Record("Stop()");
  return 1;
}
uint32_t AUDIO_CALL BASS_GetVolume() {
  Record("GetVolume()");
  return 64;
}

}  // extern "C"
