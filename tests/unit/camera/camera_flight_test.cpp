#include <gtest/gtest.h>

#include <cmath>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "camera_test_util.h"

namespace {
constexpr uint32_t kSeed = 20240611;

// Consumes four draws and returns how many draws had been taken since the
// generator was seeded with seed (matched on a window of four values).
int DrawsTaken(uint32_t seed) {
  int next[4];
  for (int& value : next) value = RandomDraw();
  ReferenceGenerator reference(seed);
  int window[203];
  for (int& value : window) value = reference.Draw();
  for (int n = 0; n < 200; ++n) {
    if (window[n] == next[0] && window[n + 1] == next[1] && window[n + 2] == next[2] &&
        window[n + 3] == next[3])
      return n;
  }
  return -1;
}

// p turned about axis by degrees, then rescaled to the given length.
Vector3 TurnedAndScaled(Vector3 p, Vector3 axis, float degrees, float length) {
  RotateAboutAxis(p, axis, degrees);
  return Scale(Normalize(p), length);
}

class CameraFlight : public ::testing::Test {
 protected:
  void SetUp() override { RandomSeed(kSeed); }
  void TearDown() override { RandomReset(); }
  CameraController camera;
};
}  // namespace

// Rebuilds the keys from the raw draws of the seed in the documented order;
// any reordering of draws moves the keys.
TEST_F(CameraFlight, FixedSeedPinsTheDrawOrder) {
  camera.StartFlight();
  ReferenceGenerator r(kSeed);
  Vector3 wander = r.UnitVector();                                   // draws 0..2
  Vector3 k0 = Set(0, 0, 90000);
  RotateAboutAxis(k0, wander, r.Fraction() * 350 + 10);              // 3
  Vector3 k1 = Scale(Normalize(k0), r.Fraction() * 5000 + 40000);    // 4
  Vector3 turn = r.UnitVector();                                     // 5..7
  RotateAboutAxis(wander, turn, r.Fraction() * 60);                  // 8
  RotateAboutAxis(k1, wander, 40);
  turn = r.UnitVector();                                             // 9..11
  RotateAboutAxis(wander, turn, r.Fraction() * 60);                  // 12
  Vector3 k2 = TurnedAndScaled(k1, wander, 40, r.Fraction() * 5000 + 40000);  // 13
  ExpectVectorNear(k0, camera.keys[0].position, 0.01f);
  ExpectVectorNear(k1, camera.keys[1].position, 0.01f);
  ExpectVectorNear(k2, camera.keys[2].position, 0.01f);

  camera.Advance(10.0);  // one whole segment: roll and draw one new key
  wander = Set(0, 1, 0);
  turn = r.UnitVector();                                             // 14..16
  RotateAboutAxis(wander, turn, r.Fraction() * 60);                  // 17
  Vector3 k3 = TurnedAndScaled(k2, wander, 40, r.Fraction() * 25000 + 40000);  // 18
  ExpectVectorNear(k3, camera.keys[2].position, 0.01f);
  EXPECT_EQ(19, DrawsTaken(kSeed));
}

TEST_F(CameraFlight, AtTheStartTheCameraSitsOnK0AndFacesTheOrigin) {
  camera.StartFlight();
  camera.Advance(0.0);
  Vector3 k0 = camera.keys[0].position;
  EXPECT_NEAR(90000.0f, Length(k0), 0.01f);
  ExpectVectorNear(k0, camera.position, 0.0f);
  ExpectVectorNear(k0, camera.eye, 0.0f);
  Vector3 toOrigin = Normalize(Negate(k0));
  ExpectVectorNear(toOrigin, camera.forward, 1e-5f);
  // up is the part of world -y perpendicular to the view.
  Vector3 down = Set(0, -1, 0);
  Vector3 expectedUp = Normalize(Subtract(down, Scale(Dot(down, toOrigin), toOrigin)));
  ExpectVectorNear(expectedUp, camera.up, 1e-5f);
  EXPECT_EQ(0.0f, camera.segmentParameter);

  camera.Advance(1e-6);
  EXPECT_LT(Length(Subtract(camera.position, k0)), 1.0f);
  ExpectVectorNear(toOrigin, camera.forward, 1e-4f);
  EXPECT_EQ(14, DrawsTaken(kSeed));  // neither Advance drew anything
}

TEST_F(CameraFlight, DefaultSpeedAtSixtyFramesPerSecondRollsEvery400Frames) {
  double dt = CameraSpeedFactor(50) / 60.0;
  camera.StartFlight();
  camera.Advance(dt);
  EXPECT_NEAR(0.0025f, camera.segmentParameter, 1e-7f);
  int rolls = 0, lastRoll = 1;
  for (int frame = 2; frame <= 4001; ++frame) {
    Vector3 before = camera.keys[0].position;
    camera.Advance(dt);
    if (Length(Subtract(before, camera.keys[0].position)) == 0.0f) continue;
    EXPECT_NEAR(lastRoll == 1 ? 400 : 400 + lastRoll, frame, 1) << "roll " << rolls;
    lastRoll = frame;
    ++rolls;
  }
  EXPECT_EQ(10, rolls);
  EXPECT_EQ(14 + 5 * rolls, DrawsTaken(kSeed));
}

TEST_F(CameraFlight, AFrameThatPassesTwoRollsTheKeysOnlyOnce) {
  camera.StartFlight();
  camera.Advance(5.0);
  Keyframe k1 = camera.keys[1], k2 = camera.keys[2];
  camera.Advance(16.0);  // s: 0.5 -> 2.1
  EXPECT_NEAR(1.1f, camera.segmentParameter, 1e-5f);
  ExpectVectorNear(k1.position, camera.keys[0].position, 0.0f);
  ExpectVectorNear(k2.position, camera.keys[1].position, 0.0f);
  EXPECT_TRUE(IsFinite(camera.position));
  camera.Advance(0.0);  // still at or past 1: this call rolls again
  EXPECT_NEAR(0.1f, camera.segmentParameter, 1e-5f);
  ExpectVectorNear(k2.position, camera.keys[0].position, 0.0f);
  EXPECT_EQ(14 + 5 + 5, DrawsTaken(kSeed));
}

TEST(CameraSpeed, FactorIsSpeedOver50PlusOneHalf) {
  const struct { unsigned speed; double factor; } cases[] = {
      {0, 0.5}, {25, 1.0}, {50, 1.5}, {75, 2.0}, {100, 2.5}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.factor, CameraSpeedFactor(c.speed)) << c.speed;
}
