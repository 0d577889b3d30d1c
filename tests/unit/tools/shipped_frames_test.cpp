// The shipped world's frames stay as they were: the frames at five flight
// times, at a small 4:3 and a small 16:9 size, compared with the pictures in
// tests/data/frames (made by scripts/refresh-frames). Changes that only make
// drawing faster must pass unchanged; a change meant to alter the picture
// refreshes the pictures in the same commit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "scene_flight.h"
#include "scene_loading.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

// Found by gtest through the argument type, so outside the anonymous namespace.
void PrintTo(const FrameSize& size, std::ostream* out) { *out << size.width << "x" << size.height; }

namespace {

constexpr int kFlightTimes[] = {5, 30, 60, 90, 120};  // seconds
constexpr int kMaxLevelDifference = 2;                // per channel, 0..255
constexpr double kMaxDifferingShare = 0.001;          // of the pixels

std::vector<uint8_t> RenderShippedFrame(FrameSize size, double seconds) {
  std::string error;
  if (!MountSceneFolder(TERRAVA_SOURCE_DIR "/resources/data", &error)) return {};
  OffscreenContext gl(size.width, size.height);
  std::vector<uint8_t> pixels;
  if (gl.Ready()) {
    RunState run;
    LoadSceneFolder(run, size, nullptr);
    if (sceneRegistry.currentWorld != nullptr) {
      FlyTo(run, *sceneRegistry.currentWorld, seconds);
      DrawWorldFrame(*sceneRegistry.currentWorld, run.camera);
    }
    pixels = gl.ReadTopDown();
  }
  UnloadSceneFolder();
  return pixels;
}

std::string ReferencePath(FrameSize size, int seconds) {
  return std::string(TERRAVA_SOURCE_DIR "/tests/data/frames/shipped-") + std::to_string(size.width) + "x" +
         std::to_string(size.height) + "-t" + std::to_string(seconds) + ".png";
}

std::vector<uint8_t> ReadReference(FrameSize size, int seconds) {
  int w = 0, h = 0, channels = 0;
  uint8_t* data = stbi_load(ReferencePath(size, seconds).c_str(), &w, &h, &channels, 4);
  std::vector<uint8_t> pixels;
  if (data != nullptr && w == size.width && h == size.height) pixels.assign(data, data + size_t(w) * h * 4);
  stbi_image_free(data);
  return pixels;
}

// Pixels with any channel different, and the largest channel difference.
void Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t* differing, int* largest) {
  *differing = 0;
  *largest = 0;
  for (size_t p = 0; p + 3 < a.size(); p += 4) {
    int worst = 0;
    for (size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(a[p + c]) - int(b[p + c])));
    if (worst > 0) ++*differing;
    *largest = std::max(*largest, worst);
  }
}

class ShippedFrames : public testing::TestWithParam<FrameSize> {};

TEST_P(ShippedFrames, MatchTheReferencePicturesAtFiveFlightTimes) {
  const FrameSize size = GetParam();
  for (int seconds : kFlightTimes) {
    SCOPED_TRACE(ReferencePath(size, seconds));
    std::vector<uint8_t> reference = ReadReference(size, seconds);
    ASSERT_FALSE(reference.empty()) << "no reference picture of that size";
    std::vector<uint8_t> drawn = RenderShippedFrame(size, seconds);
    ASSERT_EQ(drawn.size(), reference.size());
    size_t differing = 0;
    int largest = 0;
    Compare(drawn, reference, &differing, &largest);
    EXPECT_LE(double(differing), kMaxDifferingShare * size.width * size.height);
    EXPECT_LE(largest, kMaxLevelDifference);
  }
}

INSTANTIATE_TEST_SUITE_P(FourByThreeAndSixteenByNine, ShippedFrames,
                         testing::Values(FrameSize{160, 120}, FrameSize{192, 108}),
                         [](const testing::TestParamInfo<FrameSize>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
