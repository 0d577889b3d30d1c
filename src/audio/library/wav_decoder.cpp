// DecodeWav: RIFF WAVE chunks ("fmt " and "data") to 16-bit frames. Every
// read checks the bytes remaining first, so a short or lying header never
// reads past the end.
#include <cstring>

#include "archive/byte_cursor.h"
#include "audio/library/sound_decoder.h"

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

struct WavFormat {
  uint16_t encoding = 0;  // kFormatPcm or kFormatFloat
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t blockAlign = 0;     // bytes per frame
  uint16_t bitsPerSample = 0;  // bits per value
};

// Reads the "fmt " chunk body; false when it is too short or unsupported.
bool ParseFormat(const uint8_t* body, uint32_t size, WavFormat* format) {
  ByteCursor in{body, size, 0};
  uint32_t bytesPerSecond = 0;
  if (!in.ReadU16(&format->encoding) || !in.ReadU16(&format->channels) || !in.ReadU32(&format->rate) ||
      !in.ReadU32(&bytesPerSecond) || !in.ReadU16(&format->blockAlign) || !in.ReadU16(&format->bitsPerSample))
    return false;
  if (format->encoding == kFormatExtensible) {
    // cbSize, valid bits and channel mask precede the sub-format GUID, whose
    // first two bytes name the encoding.
    if (!in.Skip(8) || !in.ReadU16(&format->encoding)) return false;
  }
  bool pcm = format->encoding == kFormatPcm &&
             (format->bitsPerSample == 8 || format->bitsPerSample == 16 ||
              format->bitsPerSample == 24 || format->bitsPerSample == 32);
  bool floating = format->encoding == kFormatFloat && format->bitsPerSample == 32;
  return (pcm || floating) && format->channels >= 1 && format->channels <= 2 &&
         format->blockAlign == format->channels * (format->bitsPerSample / 8);
}

// One value of the given format as a signed 16-bit sample.
int16_t ConvertValue(const uint8_t* p, const WavFormat& format) {
  if (format.encoding == kFormatFloat) {
    float f;
    std::memcpy(&f, p, sizeof f);
    if (!(f > -1.0f)) return -32768;  // also NaN
    if (f >= 1.0f) return 32767;
    return int16_t(f * 32768.0f);
  }
  switch (format.bitsPerSample) {
    case 8: return int16_t((int(p[0]) - 128) * 256);
    case 16: return int16_t(LoadLe16(p));
    case 24: return int16_t(LoadLe16(p + 1));
    default: return int16_t(LoadLe16(p + 2));
  }
}

AudioError ConvertFrames(const uint8_t* body, uint32_t bytes, const WavFormat& format, PcmSound* out) {
  AudioError result = out->Allocate(bytes / format.blockAlign, format.channels, format.rate);
  if (result != kAudioOk) return result;
  uint32_t valueBytes = format.bitsPerSample / 8;
  size_t values = size_t(out->frameCount) * out->channels;
  for (size_t i = 0; i < values; ++i) out->samples[i] = ConvertValue(body + i * valueBytes, format);
  return kAudioOk;
}

}  // namespace

AudioError DecodeWav(const uint8_t* data, uint32_t size, PcmSound* out) {
  out->Release();
  if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return kAudioErrorFileFormat;
  WavFormat format;
  bool haveFormat = false;
  ByteCursor in{data, size, 12};
  char id[4];
  uint32_t chunkSize = 0;
  while (in.Take(id, sizeof id) && in.ReadU32(&chunkSize)) {
    const uint8_t* body = data + in.pos;
    uint32_t remaining = uint32_t(in.Remaining());
    uint32_t bodySize = chunkSize < remaining ? chunkSize : remaining;
    if (std::memcmp(id, "fmt ", 4) == 0) {
      haveFormat = ParseFormat(body, bodySize, &format);
      if (!haveFormat) return kAudioErrorFileFormat;
    } else if (std::memcmp(id, "data", 4) == 0) {
      if (!haveFormat) return kAudioErrorFileFormat;
      return ConvertFrames(body, bodySize, format, out);
    }
    if (chunkSize >= remaining) break;
    in.Skip(chunkSize + (chunkSize & 1));  // chunks are padded to even sizes
  }
  return kAudioErrorFileFormat;
}
