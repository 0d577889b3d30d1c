// Fuzz target for sound decoding: any bytes either fail with the format
// error and an empty sound, or decode to a sound within the library's
// limits, and a short loop of it mixes without reading outside it.
#include <cstdint>
#include <cstdlib>

#include "audio/library/audio_engine.h"

namespace {

AudioEngine engine;  // large; one instance for the whole run

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > UINT32_MAX) return 0;
  engine.Open(44100);
  uint32_t sample = 0, channel = 0;
  AudioError result = engine.LoadSample(data, uint32_t(size), 1, 0, &sample);
  if ((result == kAudioOk) != (sample != 0)) std::abort();
  if (result == kAudioOk) {
    engine.PlaySample(sample, 0, 96000, 100, 0, true, &channel);
    int16_t out[2 * 512];
    engine.Mix(out, 512);
  }
  engine.Close();
  return 0;
}
