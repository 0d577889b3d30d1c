// DecodeVorbis: a whole Ogg Vorbis track into 16-bit interleaved frames,
// read frame by frame from a VorbisStream (which checks the headers and
// bounds stb_vorbis's memory).
#include <cstring>

#include "audio/library/sound_decoder.h"
#include "audio/library/vorbis_stream.h"

AudioError DecodeVorbis(const uint8_t* data, uint32_t size, PcmSound* out) {
  out->Release();
  VorbisStream stream;
  AudioError result = stream.Open(data, size);
  if (result == kAudioOk) result = out->Allocate(stream.frameCount, stream.channels, stream.rate);
  if (result != kAudioOk) return result;
  const size_t frameBytes = stream.channels * sizeof(int16_t);
  for (uint32_t i = 0; i < stream.frameCount; ++i)
    std::memcpy(out->samples + size_t(i) * stream.channels, stream.Frame(i), frameBytes);
  return kAudioOk;
}
