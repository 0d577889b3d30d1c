// Flies 100000 segments with uneven frame times and checks the camera's
// numeric health after every Advance. The flight never normalizes a zero
// vector because every key stays at least 40000 units out; this proves it
// rather than assuming it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "camera_test_util.h"

namespace {
constexpr int kSegments = 100000;
constexpr float kEarthRadius = 16200.0f;
// Largest |h10| and |h11| of the Hermite basis on 0..1 (at s = 1/3 and 2/3).
constexpr float kTangentWeight = 4.0f / 27.0f;
const float kCosHalfKeyTurn = std::cos(20.0f * 3.14159265f / 180.0f);

// Scaled frame times, seconds: 60 Hz frames at speeds 0 to 100, a stall, a
// tiny step and long frames (about ten frames per segment on average, so
// the run stays quick under the sanitizers while s samples each segment).
constexpr double kFrameTimes[] = {0.025, 0.0,   1e-9,  0.7,    3.3,   0.175,  0.0083,
                                  9.99,  0.042, 2.2,   0.025,  0.5,   1.1,    0.0,
                                  0.31,  0.025, 1e-12, 0.0417, 0.125, 0.025};

bool UnitAndPerpendicular(const CameraController& c) {
  return std::fabs(Length(c.forward) - 1.0f) < 1e-4f && std::fabs(Length(c.up) - 1.0f) < 1e-4f &&
         std::fabs(Dot(c.forward, c.up)) < 1e-4f;
}

bool OrientationFinite(const Quaternion& q) {
  return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

// On 0 <= s < 1 the position is a convex mix of the two key positions plus
// at most 4/27 of each gradient; the keys are at most 40 degrees apart, so
// the mix stays at least cos 20 degrees times the nearer key's distance out.
void ExpectWithinTheKeysRange(const CameraController& c) {
  const Keyframe& k0 = c.keys[0];
  const Keyframe& k1 = c.keys[1];
  float r0 = Length(k0.position), r1 = Length(k1.position);
  float slack = kTangentWeight * (Length(k0.gradient) + Length(k1.gradient));
  float distance = Length(c.position);
  ASSERT_GE(distance, std::min(r0, r1) * kCosHalfKeyTurn - slack);
  ASSERT_LE(distance, std::max(r0, r1) + slack);
  ASSERT_GT(distance, kEarthRadius);
}

void ExpectKeysInRange(const CameraController& c) {
  for (const Keyframe& key : c.keys) {
    ASSERT_GE(Length(key.position), 40000.0f * 0.9999f);
    ASSERT_LE(Length(key.position), 90000.0f * 1.0001f);
  }
  float cosTurn = Dot(Normalize(c.keys[0].position), Normalize(c.keys[1].position));
  ASSERT_GE(cosTurn, std::cos(40.0f * 3.14159265f / 180.0f) - 1e-5f);
}
}  // namespace

TEST(CameraFlightLongRun, HundredThousandSegmentsStayHealthy) {
  RandomSeed(77);
  CameraController camera;
  camera.StartFlight();
  int segments = 0;
  bool passedTwo = false;
  long frame = 0;
  for (; segments < kSegments; ++frame) {
    double dt = kFrameTimes[frame % (sizeof kFrameTimes / sizeof kFrameTimes[0])];
    if (!passedTwo && segments == kSegments / 2) {
      dt = (2.2 - camera.segmentParameter) * 10.0;  // one frame from below 1 to 2.2
      passedTwo = true;
    }
    Vector3 k0 = camera.keys[0].position;
    camera.Advance(dt);
    if (Length(Subtract(k0, camera.keys[0].position)) != 0.0f) ++segments;

    ASSERT_TRUE(IsFinite(camera.position) && IsFinite(camera.forward) && IsFinite(camera.up) &&
                OrientationFinite(camera.orientation))
        << "frame " << frame;
    ASSERT_TRUE(UnitAndPerpendicular(camera)) << "frame " << frame;
    ASSERT_NO_FATAL_FAILURE(ExpectKeysInRange(camera)) << "frame " << frame;
    // Only the frame past 2 evaluates beyond K1, where no range applies.
    if (camera.segmentParameter < 1.0f) {
      ASSERT_NO_FATAL_FAILURE(ExpectWithinTheKeysRange(camera)) << "frame " << frame;
    }
    ASSERT_TRUE(camera.eye.x == camera.position.x && camera.eye.y == camera.position.y &&
                camera.eye.z == camera.position.z);
  }
  EXPECT_TRUE(passedTwo);
  RandomReset();
}
