// VorbisStream played by a voice gives exactly the frames of the whole
// decode, at the track's own rate, slower and faster, from any start and
// across the loop's seam, with the stream restarting at each loop.
#include <gtest/gtest.h>

#include <vector>

#include "audio/library/sound_decoder.h"
#include "audio/library/voice.h"
#include "audio/library/vorbis_stream.h"
#include "unit/audio/ogg_file.h"

namespace {

constexpr uint32_t kOutputRate = 44100;

// Mixes `frames` output frames of the voice in the mixer's chunks.
std::vector<int32_t> MixAll(Voice voice, uint32_t frames) {
  constexpr uint32_t kChunk = 1024;
  std::vector<int32_t> out(size_t(frames) * 2, 0);
  for (uint32_t done = 0; done < frames && voice.IsActive(); done += kChunk)
    MixVoice(&voice, 100, out.data() + size_t(done) * 2, frames - done < kChunk ? frames - done : kChunk);
  return out;
}

TEST(VorbisStream, PlaysTheFramesOfTheWholeDecodeAtAnyRateStartAndLoop) {
  ToneSpec track;
  track.frames = 30000;
  const std::vector<uint8_t> ogg = EncodeOgg(track, "stream");
  ASSERT_FALSE(ogg.empty());
  PcmSound decoded;
  ASSERT_EQ(DecodeVorbis(ogg.data(), uint32_t(ogg.size()), &decoded), kAudioOk);
  struct Case {
    uint32_t playbackRate;  // frames per second
    uint32_t startFrame;
    bool loop;
  } cases[] = {
      // rate   start  loop
      {44100, 0, true},       // the track's own rate, twice round and more
      {22050, 0, true},       // half speed: each frame read twice, blended with the next
      {96000, 0, true},       // faster: frames skipped
      {44100, 12345, true},   // a start inside the track
      {30000, 29990, true},   // a start just before the seam
      {44100, 100, false},    // no loop: the voice ends at the last frame
  };
  for (const Case& c : cases) {
    VorbisStream stream;
    ASSERT_EQ(stream.Open(ogg.data(), uint32_t(ogg.size())), kAudioOk);
    ASSERT_EQ(stream.frameCount, decoded.frameCount);
    Voice fromFrames;
    fromFrames.sound = &decoded;
    fromFrames.position = uint64_t(c.startFrame) << 32;
    fromFrames.step = PlaybackStep(c.playbackRate, kOutputRate);
    fromFrames.loop = c.loop;
    Voice fromStream = fromFrames;
    fromStream.sound = nullptr;
    fromStream.stream = &stream;
    const uint32_t frames = 2 * track.frames + 777;
    EXPECT_EQ(MixAll(fromStream, frames), MixAll(fromFrames, frames))
        << "rate " << c.playbackRate << " start " << c.startFrame;
  }
}

}  // namespace
