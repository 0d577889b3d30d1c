// WAV decoding: every supported encoding decodes to the expected 16-bit
// values, and malformed headers fail cleanly without reading past the end.
#include <gtest/gtest.h>

#include <vector>

#include "audio/library/sound_decoder.h"
#include "unit/audio/tone_wav.h"

namespace {

std::vector<int16_t> Values(const PcmSound& sound) {
  return std::vector<int16_t>(sound.samples, sound.samples + size_t(sound.frameCount) * sound.channels);
}

TEST(WavDecoder, DecodesEveryEncodingToSixteenBits) {
  struct Case {
    uint16_t encoding, bits, channels;
  } cases[] = {
      // encoding  bits  channels
      {1, 8, 1},  {1, 16, 1}, {1, 16, 2}, {1, 24, 2}, {1, 32, 2}, {3, 32, 2}, {0xFFFE, 16, 2},
  };
  for (const Case& c : cases) {
    ToneSpec toneSpec;
    toneSpec.encoding = c.encoding;
    toneSpec.bits = c.bits;
    toneSpec.channels = c.channels;
    toneSpec.rate = 22050;
    std::vector<uint8_t> wav = ToneWav(toneSpec);
    std::vector<int16_t> expected = ToneSamples(toneSpec);
    if (c.bits == 8)
      for (int16_t& v : expected) v = int16_t(v & ~0xFF);
    PcmSound sound;
    ASSERT_EQ(DecodeSound(wav.data(), uint32_t(wav.size()), &sound), kAudioOk) << c.encoding << "/" << c.bits;
    EXPECT_EQ(sound.rate, 22050u);
    EXPECT_EQ(sound.channels, c.channels);
    EXPECT_EQ(Values(sound), expected) << c.encoding << "/" << c.bits;
  }
}

TEST(WavDecoder, DataChunkLongerThanTheFileKeepsTheWholeFramesPresent) {
  ToneSpec toneSpec;
  std::vector<uint8_t> wav = ToneWav(toneSpec);
  wav.resize(wav.size() - 4 * 100 - 3);  // 100 frames and 3 bytes short
  PcmSound sound;
  ASSERT_EQ(DecodeWav(wav.data(), uint32_t(wav.size()), &sound), kAudioOk);
  EXPECT_EQ(sound.frameCount, toneSpec.frames - 101);
}

TEST(WavDecoder, SkipsUnknownChunksIncludingTheirPadByte) {
  ToneSpec toneSpec;
  std::vector<uint8_t> wav = ToneWav(toneSpec);
  std::vector<uint8_t> extra = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  wav.insert(wav.begin() + 12, extra.begin(), extra.end());
  PcmSound sound;
  ASSERT_EQ(DecodeWav(wav.data(), uint32_t(wav.size()), &sound), kAudioOk);
  EXPECT_EQ(sound.frameCount, toneSpec.frames);
}

TEST(WavDecoder, RejectsMalformedAndUnsupportedFiles) {
  ToneSpec toneSpec;
  const std::vector<uint8_t> good = ToneWav(toneSpec);
  struct Case {
    const char* what;
    size_t offset;  // byte to change in the good file (fmt body starts at 20)
    uint8_t value;
  } cases[] = {
      {"ADPCM encoding", 20, 2},
      {"no channels", 22, 0},
      {"three channels", 22, 3},
      {"12 bits per value", 34, 12},
      {"block size not matching", 32, 3},
      {"rate below 1000 Hz", 25, 0},
      {"no fmt chunk before data", 12, 'x'},
      {"not a WAVE file", 8, 'X'},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> wav = good;
    wav[c.offset] = c.value;
    if (c.offset == 25) wav[24] = 100;
    PcmSound sound;
    EXPECT_EQ(DecodeSound(wav.data(), uint32_t(wav.size()), &sound), kAudioErrorFileFormat) << c.what;
    EXPECT_TRUE(sound.IsEmpty()) << c.what;
  }
}

TEST(WavDecoder, EveryTruncationOfTheHeaderFailsOrDecodesCleanly) {
  ToneSpec toneSpec;
  toneSpec.frames = 8;
  std::vector<uint8_t> wav = ToneWav(toneSpec);
  for (size_t length = 0; length < wav.size(); ++length) {
    std::vector<uint8_t> cut(wav.begin(), wav.begin() + length);  // exact-size buffer for ASan
    PcmSound sound;
    AudioError result = DecodeSound(cut.data(), uint32_t(length), &sound);
    if (result == kAudioOk) EXPECT_LT(sound.frameCount, toneSpec.frames + 1) << length;
    else EXPECT_TRUE(sound.IsEmpty()) << length;
  }
}

}  // namespace
