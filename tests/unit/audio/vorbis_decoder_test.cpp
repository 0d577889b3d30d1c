// Ogg Vorbis decoding of tones encoded by oggenc at test time: exact length,
// format, and a waveform close to the original; damaged streams fail or
// decode partly, never read out of bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/library/sound_decoder.h"
#include "unit/audio/ogg_file.h"

namespace {

// Root-mean-square difference between the decoded sound and the tone, in
// units of full scale.
double RmsError(const PcmSound& sound, const std::vector<int16_t>& expected) {
  double sum = 0;
  size_t n = expected.size();
  for (size_t i = 0; i < n; ++i) {
    double d = (double(sound.samples[i]) - expected[i]) / 32768.0;
    sum += d * d;
  }
  return std::sqrt(sum / double(n));
}

TEST(VorbisDecoder, DecodesAnOggencToneToItsExactLengthAndShape) {
  struct Case {
    uint16_t channels;
    uint32_t rate;
  } cases[] = {{2, 44100}, {1, 22050}};
  for (const Case& c : cases) {
    ToneSpec toneSpec;
    toneSpec.channels = c.channels;
    toneSpec.rate = c.rate;
    toneSpec.frames = c.rate;  // one second
    std::vector<uint8_t> ogg = EncodeOgg(toneSpec, "tone" + std::to_string(c.channels));
    ASSERT_FALSE(ogg.empty()) << "oggenc (vorbis-tools) failed";
    PcmSound sound;
    ASSERT_EQ(DecodeSound(ogg.data(), uint32_t(ogg.size()), &sound), kAudioOk);
    EXPECT_EQ(sound.rate, c.rate);
    EXPECT_EQ(sound.channels, c.channels);
    ASSERT_EQ(sound.frameCount, toneSpec.frames);
    EXPECT_LT(RmsError(sound, ToneSamples(toneSpec)), 0.01) << c.channels;
  }
}

TEST(VorbisDecoder, DamagedStreamsFailOrDecodeWithinBounds) {
  ToneSpec toneSpec;
  toneSpec.frames = 44100;
  const std::vector<uint8_t> ogg = EncodeOgg(toneSpec, "damaged");
  ASSERT_FALSE(ogg.empty());
  struct Case {
    const char* what;
    size_t keep;         // bytes kept from the start
    size_t flipFrom;     // every 7th byte from here on is inverted (0: none)
  } cases[] = {
      {"headers only", 200, 0},
      {"cut in half", ogg.size() / 2, 0},
      {"last byte missing", ogg.size() - 1, 0},
      {"audio pages scrambled", ogg.size(), ogg.size() / 3},
      {"setup header scrambled", ogg.size(), 100},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes(ogg.begin(), ogg.begin() + c.keep);
    if (c.flipFrom)
      for (size_t i = c.flipFrom; i < bytes.size(); i += 7) bytes[i] = uint8_t(~bytes[i]);
    PcmSound sound;
    AudioError result = DecodeSound(bytes.data(), uint32_t(bytes.size()), &sound);
    if (result == kAudioOk) EXPECT_LE(sound.frameCount, toneSpec.frames) << c.what;
    else EXPECT_TRUE(sound.IsEmpty()) << c.what;
  }
}

TEST(VorbisDecoder, RejectsWhatIsNotOggVorbis) {
  std::vector<uint8_t> junk(4096, 0x5A);
  std::memcpy(junk.data(), "OggS", 4);
  PcmSound sound;
  EXPECT_EQ(DecodeSound(junk.data(), uint32_t(junk.size()), &sound), kAudioErrorFileFormat);
  EXPECT_EQ(DecodeSound(junk.data() + 4, 100, &sound), kAudioErrorFileFormat);
  EXPECT_EQ(DecodeSound(junk.data(), 11, &sound), kAudioErrorFileFormat);
}

}  // namespace
