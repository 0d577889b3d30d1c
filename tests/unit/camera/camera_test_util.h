// Comparisons and a reference generator shared by the camera tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "camera/quaternion.h"
#include "camera/vector3.h"

inline void ExpectVectorNear(Vector3 expected, Vector3 actual, float tolerance) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

inline void ExpectQuaternionNear(const Quaternion& expected, const Quaternion& actual,
                                 float tolerance) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
  EXPECT_NEAR(expected.w, actual.w, tolerance);
}

inline bool IsFinite(Vector3 v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The rand() recurrence written out independently of camera/random.cpp, so a
// test can tell which draws the code under test consumed.
struct ReferenceGenerator {
  uint32_t state;
  explicit ReferenceGenerator(uint32_t seed) : state(seed) {}
  int Draw() {
    state = state * 214013u + 2531011u;
    return int(state >> 16 & 0x7fff);
  }
  float Fraction() { return float(Draw()) / 32767.0f; }
  Vector3 UnitVector() {
    float x = Fraction() * 20.0f - 10.0f;
    float y = Fraction() * 20.0f - 10.0f;
    float z = Fraction() * 20.0f - 10.0f;
    return Normalize(Vector3{x, y, z});
  }
};
