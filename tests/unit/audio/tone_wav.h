// Test sounds built in memory: a sine tone as RIFF WAVE bytes in any of the
// encodings the decoder reads, and the 16-bit values it should decode to.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct ToneSpec {
  uint32_t frames = 4410;
  uint32_t rate = 44100;
  uint16_t channels = 2;
  uint16_t bits = 16;      // 8, 16, 24, 32
  uint16_t encoding = 1;   // 1 integer PCM, 3 float, 0xFFFE extensible PCM
  double frequency = 441;  // Hz; the right channel runs at 1.5 times it
  double amplitude = 0.5;  // of full scale
};

// The tone's value of `channel` at `frame`, -1..1.
inline double ToneValue(const ToneSpec& toneSpec, uint32_t frame, uint32_t channel) {
  const double pi = 3.14159265358979323846;
  double f = toneSpec.frequency * (channel ? 1.5 : 1.0);
  return toneSpec.amplitude * std::sin(2 * pi * f * frame / toneSpec.rate);
}

// The tone as 16-bit values, interleaved.
inline std::vector<int16_t> ToneSamples(const ToneSpec& toneSpec) {
  std::vector<int16_t> values;
  for (uint32_t i = 0; i < toneSpec.frames; ++i)
    for (uint32_t c = 0; c < toneSpec.channels; ++c)
      values.push_back(int16_t(std::lround(ToneValue(toneSpec, i, c) * 32767)));
  return values;
}

inline void PutU16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(uint8_t(v));
  out->push_back(uint8_t(v >> 8));
}
inline void PutU32(std::vector<uint8_t>* out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
inline void PutTag(std::vector<uint8_t>* out, const char* tag) {
  for (int i = 0; i < 4; ++i) out->push_back(uint8_t(tag[i]));
}

// One value in the toneSpec's encoding, from the 16-bit value it should decode to.
inline void PutValue(std::vector<uint8_t>* out, const ToneSpec& toneSpec, int16_t v) {
  if (toneSpec.encoding == 3) {
    float f = v / 32768.0f;
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutU32(out, bits);
  } else if (toneSpec.bits == 8) {
    out->push_back(uint8_t((v >> 8) + 128));
  } else {
    for (int b = 0; b < toneSpec.bits / 8 - 2; ++b) out->push_back(0x5A);  // low bytes, dropped
    PutU16(out, uint16_t(v));
  }
}

inline std::vector<uint8_t> ToneWav(const ToneSpec& toneSpec) {
  std::vector<int16_t> values = ToneSamples(toneSpec);
  if (toneSpec.bits == 8)
    for (int16_t& v : values) v = int16_t(v & ~0xFF);  // what 8 bits can hold
  uint32_t block = toneSpec.channels * toneSpec.bits / 8;
  bool extensible = toneSpec.encoding == 0xFFFE;
  std::vector<uint8_t> out;
  PutTag(&out, "RIFF");
  PutU32(&out, 0);  // patched below
  PutTag(&out, "WAVE");
  PutTag(&out, "fmt ");
  PutU32(&out, extensible ? 40 : 16);
  PutU16(&out, toneSpec.encoding);
  PutU16(&out, toneSpec.channels);
  PutU32(&out, toneSpec.rate);
  PutU32(&out, toneSpec.rate * block);
  PutU16(&out, block);
  PutU16(&out, toneSpec.bits);
  if (extensible) {
    PutU16(&out, 22);
    PutU16(&out, toneSpec.bits);
    PutU32(&out, 3);
    PutU16(&out, 1);  // sub-format GUID: PCM
    for (int i = 0; i < 14; ++i) out.push_back(0);
  }
  PutTag(&out, "data");
  PutU32(&out, toneSpec.frames * block);
  for (int16_t v : values) PutValue(&out, toneSpec, v);
  uint32_t riff = uint32_t(out.size() - 8);
  std::memcpy(out.data() + 4, &riff, 4);
  return out;
}
