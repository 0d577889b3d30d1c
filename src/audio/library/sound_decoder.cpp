// DecodeSound: chooses the decoder by the signature at the start of the data.
#include "audio/library/sound_decoder.h"

#include <cstring>

AudioError DecodeSound(const uint8_t* data, uint32_t size, PcmSound* out) {
  out->Release();
  if (!data || size < 12) return kAudioErrorFileFormat;
  if (std::memcmp(data, "OggS", 4) == 0) return DecodeVorbis(data, size, out);
  if (std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0)
    return DecodeWav(data, size, out);
  return kAudioErrorFileFormat;
}
