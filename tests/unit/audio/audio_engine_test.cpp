// AudioEngine: the library's contract on call order and arguments, gapless
// looping (the frame after a sample's last is its first), volume and pan
// scaling, playback rates, and playback slots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "audio/library/audio_engine.h"
#include "audio/library/sound_decoder.h"
#include "unit/audio/ogg_file.h"

namespace {

constexpr uint32_t kRate = 44100;

// Mixes `frames` stereo frames.
std::vector<int16_t> MixFrames(AudioEngine* engine, uint32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  engine->Mix(out.data(), frames);
  return out;
}

class Engine : public ::testing::Test {
 protected:
  void SetUp() override {
    toneSpec.frames = 1000;
    wav = ToneWav(toneSpec);
    tone = ToneSamples(toneSpec);
    ASSERT_EQ(engine.Open(kRate), kAudioOk);
  }
  uint32_t Load(uint32_t maxPlaybacks = 1, uint32_t flags = 0) {
    uint32_t handle = 0;
    EXPECT_EQ(engine.LoadSample(wav.data(), uint32_t(wav.size()), maxPlaybacks, flags, &handle), kAudioOk);
    return handle;
  }
  uint32_t Play(uint32_t sample, int32_t volume = kDefaultVolume, int32_t pan = kDefaultPan,
                bool loop = true, int32_t frequency = kDefaultFrequency) {
    uint32_t channel = 0;
    EXPECT_EQ(engine.PlaySample(sample, 0, frequency, volume, pan, loop, &channel), kAudioOk);
    return channel;
  }

  ToneSpec toneSpec;
  std::vector<uint8_t> wav;
  std::vector<int16_t> tone;  // toneSpec.frames stereo frames
  AudioEngine engine;
};

TEST_F(Engine, LoopingRepeatsTheSampleWithoutAGap) {
  Play(Load());
  std::vector<int16_t> out = MixFrames(&engine, 3 * toneSpec.frames + 17);
  for (size_t i = 0; i < out.size(); ++i)
    ASSERT_EQ(out[i], tone[i % tone.size()]) << "value " << i;
}

TEST_F(Engine, LoopsAnOggencTrackSeamlessly) {
  ToneSpec track;
  track.frames = 30000;
  std::vector<uint8_t> ogg = EncodeOgg(track, "loop");
  ASSERT_FALSE(ogg.empty());
  PcmSound decoded;
  ASSERT_EQ(DecodeSound(ogg.data(), uint32_t(ogg.size()), &decoded), kAudioOk);
  uint32_t sample = 0, channel = 0;
  ASSERT_EQ(engine.LoadSample(ogg.data(), uint32_t(ogg.size()), 1, kSampleOverridePosition, &sample), kAudioOk);
  ASSERT_EQ(engine.PlaySample(sample, 0, -1, 100, -101, true, &channel), kAudioOk);
  std::vector<int16_t> out = MixFrames(&engine, 2 * track.frames + 500);
  size_t period = size_t(decoded.frameCount) * 2;
  for (size_t i = 0; i < out.size(); ++i)
    ASSERT_EQ(out[i], decoded.samples[i % period]) << "value " << i;
  // The sample after the last one is the first one.
  EXPECT_EQ(out[period], decoded.samples[0]);
  EXPECT_EQ(out[period + 1], decoded.samples[1]);
}

TEST_F(Engine, ScalesByVolumeOutputVolumeAndPan) {
  struct Case {
    int32_t volume;   // playback volume
    uint32_t master;  // output volume
    int32_t pan;
    double left, right;  // expected gain per side
  } cases[] = {
      // volume  master  pan   left   right
      {100, 100, 0, 1.0, 1.0},
      {50, 100, 0, 0.5, 0.5},
      {100, 50, 0, 0.5, 0.5},
      {60, 60, 0, 0.36, 0.36},
      {0, 100, 0, 0.0, 0.0},
      {100, 0, 0, 0.0, 0.0},
      {100, 100, -100, 1.0, 0.0},
      {100, 100, 50, 0.5, 1.0},
      {kDefaultVolume, 100, kDefaultPan, 1.0, 1.0},
  };
  uint32_t sample = Load();
  for (const Case& c : cases) {
    ASSERT_EQ(engine.Close(), kAudioOk);
    ASSERT_EQ(engine.Open(kRate), kAudioOk);
    sample = Load();
    ASSERT_EQ(engine.SetVolume(c.master), kAudioOk);
    Play(sample, c.volume, c.pan);
    std::vector<int16_t> out = MixFrames(&engine, toneSpec.frames);
    for (size_t i = 0; i < out.size(); ++i) {
      double expected = tone[i] * (i % 2 ? c.right : c.left);
      ASSERT_LE(std::abs(out[i] - expected), 1.0) << c.volume << " " << c.master << " " << c.pan << " at " << i;
    }
  }
  // The output volume outlives sessions.
  ASSERT_EQ(engine.SetVolume(37), kAudioOk);
  ASSERT_EQ(engine.Close(), kAudioOk);
  EXPECT_EQ(engine.Volume(), 37u);
}

TEST_F(Engine, HalfTheRatePlaysEachFrameTwiceApart) {
  Play(Load(), kDefaultVolume, kDefaultPan, true, int32_t(toneSpec.rate / 2));
  std::vector<int16_t> out = MixFrames(&engine, 2 * toneSpec.frames);
  for (uint32_t k = 0; k < toneSpec.frames; ++k) {
    ASSERT_EQ(out[4 * k], tone[2 * k]) << k;
    int midpoint = (tone[2 * k] + tone[2 * ((k + 1) % toneSpec.frames)]) / 2;
    ASSERT_LE(std::abs(out[4 * k + 2] - midpoint), 1) << k;  // wraps into the first frame at the end
  }
}

TEST_F(Engine, APlaybackWithoutLoopEndsAndFreesItsSlot) {
  uint32_t sample = Load();
  Play(sample, kDefaultVolume, kDefaultPan, false);
  std::vector<int16_t> out = MixFrames(&engine, toneSpec.frames + 100);
  EXPECT_EQ(out[2 * toneSpec.frames - 1], tone.back());
  for (size_t i = 2 * toneSpec.frames; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
  EXPECT_EQ(engine.ActiveVoices(), 0u);
  Play(sample);  // the one playback slot is free again
}

TEST_F(Engine, BusySlotsFailUnlessTheSampleMayOverrideTheLongestPlaying) {
  uint32_t strict = Load(1, 0);
  uint32_t channel = 0;
  Play(strict);
  EXPECT_EQ(engine.PlaySample(strict, 0, -1, 100, 0, true, &channel), kAudioErrorNoChannel);
  EXPECT_EQ(channel, 0u);

  uint32_t overriding = Load(2, kSampleOverridePosition);
  uint32_t first = Play(overriding);
  MixFrames(&engine, 10);
  uint32_t second = Play(overriding);
  uint32_t third = Play(overriding);
  EXPECT_NE(third, 0u);
  EXPECT_NE(third, first);
  EXPECT_NE(third, second);
  EXPECT_EQ(engine.ActiveVoices(), 3u);  // strict's one, overriding's two
}

TEST(EngineContract, CallsInTheWrongOrderOrWithBadArgumentsFail) {
  ToneSpec toneSpec;
  std::vector<uint8_t> wav = ToneWav(toneSpec);
  const uint8_t* data = wav.data();
  uint32_t size = uint32_t(wav.size());
  AudioEngine engine;
  uint32_t handle = 77, channel = 77;
  EXPECT_EQ(engine.LoadSample(data, size, 1, 0, &handle), kAudioErrorInit);
  EXPECT_EQ(handle, 0u);
  EXPECT_EQ(engine.PlaySample(1, 0, -1, 100, 0, true, &channel), kAudioErrorInit);
  EXPECT_EQ(engine.Close(), kAudioErrorInit);
  EXPECT_EQ(engine.Open(7999), kAudioErrorIllegalParameter);
  EXPECT_EQ(engine.Open(192001), kAudioErrorIllegalParameter);
  ASSERT_EQ(engine.Open(kRate), kAudioOk);
  EXPECT_EQ(engine.Open(kRate), kAudioErrorAlready);

  struct LoadCase {
    const char* what;
    const uint8_t* data;
    uint32_t size, maxPlaybacks, flags;
    AudioError expected;
  } loads[] = {
      {"null data", nullptr, size, 1, 0, kAudioErrorIllegalParameter},
      {"zero length", data, 0, 1, 0, kAudioErrorIllegalParameter},
      {"no playbacks", data, size, 0, 0, kAudioErrorIllegalParameter},
      {"too many playbacks", data, size, kMaxVoices + 1, 0, kAudioErrorIllegalParameter},
      {"unknown flag", data, size, 1, 0x4, kAudioErrorIllegalParameter},
      {"unreadable data", data + 44, size - 44, 1, 0, kAudioErrorFileFormat},
  };
  for (const LoadCase& c : loads) {
    handle = 77;
    EXPECT_EQ(engine.LoadSample(c.data, c.size, c.maxPlaybacks, c.flags, &handle), c.expected) << c.what;
    EXPECT_EQ(handle, 0u) << c.what;
  }

  uint32_t sample = 0;
  ASSERT_EQ(engine.LoadSample(data, size, 1, 0, &sample), kAudioOk);
  struct PlayCase {
    const char* what;
    uint32_t sample, start;
    int32_t frequency, volume, pan;
    AudioError expected;
  } plays[] = {
      {"handle 0", 0, 0, -1, 100, 0, kAudioErrorHandle},
      {"unknown handle", sample + 256, 0, -1, 100, 0, kAudioErrorHandle},
      {"start past the end", sample, toneSpec.frames, -1, 100, 0, kAudioErrorIllegalParameter},
      {"frequency 0", sample, 0, 0, 100, 0, kAudioErrorIllegalParameter},
      {"frequency too high", sample, 0, 192001, 100, 0, kAudioErrorIllegalParameter},
      {"volume 101", sample, 0, -1, 101, 0, kAudioErrorIllegalParameter},
      {"volume -2", sample, 0, -1, -2, 0, kAudioErrorIllegalParameter},
      {"pan 101", sample, 0, -1, 100, 101, kAudioErrorIllegalParameter},
      {"pan -102", sample, 0, -1, 100, -102, kAudioErrorIllegalParameter},
  };
  for (const PlayCase& c : plays) {
    channel = 77;
    EXPECT_EQ(engine.PlaySample(c.sample, c.start, c.frequency, c.volume, c.pan, true, &channel), c.expected)
        << c.what;
    EXPECT_EQ(channel, 0u) << c.what;
  }
  EXPECT_EQ(engine.SetVolume(101), kAudioErrorIllegalParameter);
  EXPECT_EQ(engine.Volume(), 100u);

  // Handles of a closed session name nothing in the next one.
  ASSERT_EQ(engine.Close(), kAudioOk);
  ASSERT_EQ(engine.Open(kRate), kAudioOk);
  EXPECT_EQ(engine.PlaySample(sample, 0, -1, 100, 0, true, &channel), kAudioErrorHandle);
}

TEST(EngineContract, MixingWithoutASessionGivesSilence) {
  AudioEngine engine;
  std::vector<int16_t> out(64, 123);
  engine.Mix(out.data(), 32);
  for (int16_t v : out) EXPECT_EQ(v, 0);
}

}  // namespace
