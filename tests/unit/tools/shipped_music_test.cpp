// The shipped music track decodes through the audio library's own Vorbis
// decoder into a calm stereo loop of 60 to 120 seconds that plays from its
// end into its start without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/library/sound_decoder.h"
#include "shipped_files.h"

namespace {

TEST(ShippedMusic, IsAStereoLoopOfOneToTwoMinutes) {
  std::vector<uint8_t> bytes = ReadShippedFile("resources/data/music.ogg");
  PcmSound sound;
  ASSERT_EQ(DecodeVorbis(bytes.data(), uint32_t(bytes.size()), &sound), kAudioOk);
  EXPECT_EQ(sound.channels, 2u);
  double seconds = double(sound.frameCount) / sound.rate;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);

  // Moderate level: RMS about -16 dBFS, peaks below -1 dBFS.
  double sum = 0.0;
  int peak = 0;
  const size_t values = size_t(sound.frameCount) * sound.channels;
  for (size_t i = 0; i < values; ++i) {
    sum += double(sound.samples[i]) * sound.samples[i];
    peak = std::max(peak, std::abs(int(sound.samples[i])));
  }
  double rmsDb = 20.0 * std::log10(std::sqrt(sum / double(values)) / 32768.0);
  EXPECT_GT(rmsDb, -22.0);
  EXPECT_LT(rmsDb, -12.0);
  EXPECT_LT(peak, int(32768 * std::pow(10.0, -1.0 / 20.0)));
}

// The step from the last frame to the first, per channel, is no larger than
// 999 in 1000 of the steps between neighbouring frames inside the track.
TEST(ShippedMusic, LoopPointIsAsSmoothAsTheRestOfTheTrack) {
  std::vector<uint8_t> bytes = ReadShippedFile("resources/data/music.ogg");
  PcmSound sound;
  ASSERT_EQ(DecodeVorbis(bytes.data(), uint32_t(bytes.size()), &sound), kAudioOk);
  ASSERT_GT(sound.frameCount, 1000u);
  for (uint32_t c = 0; c < sound.channels; ++c) {
    std::vector<int> steps;
    for (uint32_t f = 1; f < sound.frameCount; ++f)
      steps.push_back(std::abs(sound.samples[f * sound.channels + c] - sound.samples[(f - 1) * sound.channels + c]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 999 / 1000), steps.end());
    int usual = steps[steps.size() * 999 / 1000];
    int seam = std::abs(sound.samples[c] - sound.samples[(sound.frameCount - 1) * sound.channels + c]);
    EXPECT_LE(seam, usual) << "channel " << c;
  }
}

}  // namespace
