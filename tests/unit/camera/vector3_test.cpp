#include <gtest/gtest.h>

#include <cmath>

#include "camera/random.h"
#include "camera/vector3.h"
#include "camera_test_util.h"

TEST(Vector3, CrossDotAndTheInPlaceOperations) {
  Vector3 a = Set(1.0f, 2.0f, 3.0f);
  Vector3 b = Set(-4.0f, 0.5f, 2.0f);
  ExpectVectorNear(Set(0.0f, 0.0f, 1.0f), Cross(Set(1, 0, 0), Set(0, 1, 0)), 0.0f);
  ExpectVectorNear(Set(2.5f, -14.0f, 8.5f), Cross(a, b), 1e-6f);
  EXPECT_FLOAT_EQ(3.0f, Dot(a, b));
  ExpectVectorNear(Scale(a, 2.5f), Scale(2.5f, a), 0.0f);
  AddInPlace(a, b);
  ExpectVectorNear(Set(-3.0f, 2.5f, 5.0f), a, 0.0f);
  SetAll(a, 7.0f);
  ExpectVectorNear(Set(7.0f, 7.0f, 7.0f), a, 0.0f);
}

TEST(Vector3, LengthSumsInDoubleSoLargeComponentsDoNotOverflow) {
  EXPECT_FLOAT_EQ(5.0f, Length(Set(3.0f, 4.0f, 0.0f)));
  // 3e19 squared exceeds the float range; the double sum does not.
  EXPECT_FLOAT_EQ(5e19f, Length(Set(3e19f, 0.0f, 4e19f)));
  ExpectVectorNear(Set(0.6f, 0.0f, 0.8f), Normalize(Set(3e19f, 0.0f, 4e19f)), 1e-7f);
}

TEST(Vector3, RotateAboutAxisMatchesTheStackConvention) {
  struct Case {
    Vector3 v, axis;
    float degrees;
    Vector3 expected;
  };
  const Case cases[] = {
      // v            axis            degrees  expected
      {{1, 0, 0}, {0, 0, 1}, 90.0f, {0, -1, 0}},   // -90 in the right-hand sense
      {{1, 0, 0}, {0, 0, 5}, 90.0f, {0, -1, 0}},   // the axis is normalized
      {{0, 1, 0}, {1, 0, 0}, 90.0f, {0, 0, -1}},
      {{0, 0, 1}, {0, 1, 0}, -90.0f, {1, 0, 0}},
      {{2, 3, 4}, {0, 0, 1}, 180.0f, {-2, -3, 4}},
      {{2, 3, 4}, {1, 1, 1}, 120.0f, {3, 4, 2}},   // cyclic turn of the axes
      {{2, 3, 4}, {1, -7, 2}, 0.0f, {2, 3, 4}},
      {{2, 3, 4}, {1, -7, 2}, 360.0f, {2, 3, 4}},
      {{5, 0, 0}, {5, 0, 0}, 77.0f, {5, 0, 0}},    // along the axis nothing moves
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    Vector3 v = c.v;
    RotateAboutAxis(v, c.axis, c.degrees);
    ExpectVectorNear(c.expected, v, 1e-5f);
    EXPECT_NEAR(Length(c.v), Length(v), 1e-5f);
  }
}

TEST(Vector3, RandomUnitVectorDrawsXYZInOrderAndIsUnit) {
  RandomSeed(4242);
  ReferenceGenerator reference(4242);
  for (int i = 0; i < 1000; ++i) {
    Vector3 expected = reference.UnitVector();
    Vector3 v = RandomUnitVector();
    ExpectVectorNear(expected, v, 0.0f);
    EXPECT_NEAR(1.0f, Length(v), 1e-6f);
  }
  // The draws nearest the middle map to +-0.0003, never to 0: no zero vector.
  EXPECT_NE(0.0f, 16383.0f / 32767.0f * 20.0f - 10.0f);
  EXPECT_NE(0.0f, 16384.0f / 32767.0f * 20.0f - 10.0f);
  RandomReset();
}
