#include <gtest/gtest.h>

#include <cmath>

#include "camera/keyframe.h"
#include "camera_test_util.h"

namespace {
Keyframe Key(Vector3 position, Vector3 gradient) {
  Keyframe k;
  k.position = position;
  k.gradient = gradient;
  return k;
}

// Rotation by `radians` about the unit axis (x, y, z).
Quaternion AxisAngle(float x, float y, float z, float radians) {
  float s = std::sin(radians / 2);
  return Quaternion(x * s, y * s, z * s, std::cos(radians / 2));
}
}  // namespace

TEST(Keyframe, EvaluatePositionIsTheHermiteCurve) {
  Keyframe a = Key(Set(10, -20, 30), Set(5, 6, -7));
  Keyframe b = Key(Set(-40, 50, 60), Set(-8, 9, 1));
  ExpectVectorNear(a.position, EvaluatePosition(a, b, 0.0f), 0.0f);
  ExpectVectorNear(b.position, EvaluatePosition(a, b, 1.0f), 0.0f);

  // Zero gradients: the straight segment with the smoothstep profile.
  Keyframe c = Key(Set(0, 0, 0), Set(0, 0, 0));
  Keyframe d = Key(Set(8, -4, 2), Set(0, 0, 0));
  for (float s : {0.1f, 0.25f, 0.5f, 0.9f}) {
    float smooth = 3 * s * s - 2 * s * s * s;
    ExpectVectorNear(Scale(smooth, d.position), EvaluatePosition(c, d, s), 1e-6f);
  }
  // Unit tangents along a unit segment: the curve is the line itself, s at s.
  Keyframe e = Key(Set(0, 0, 0), Set(1, 0, 0));
  Keyframe f = Key(Set(1, 0, 0), Set(1, 0, 0));
  for (float s : {0.2f, 0.5f, 0.7f, 1.5f})
    ExpectVectorNear(Set(s, 0, 0), EvaluatePosition(e, f, s), 1e-6f);
}

TEST(Keyframe, EvaluateRotationPassesThroughItsEnds) {
  Keyframe a, b;
  a.rotation = AxisAngle(0, 1, 0, 0.2f);
  a.outControl = AxisAngle(0, 1, 0, 0.9f);
  b.inControl = AxisAngle(1, 0, 0, 1.4f);
  b.rotation = AxisAngle(0, 0, 1, 2.0f);
  ExpectQuaternionNear(a.rotation, EvaluateRotation(a, b, 0.0f), 1e-6f);
  ExpectQuaternionNear(b.rotation, EvaluateRotation(a, b, 1.0f), 1e-6f);

  // Four equal control points: that rotation everywhere.
  Quaternion q = AxisAngle(0.6f, 0.8f, 0, 1.0f);
  a.rotation = a.outControl = b.inControl = b.rotation = q;
  for (float s : {0.0f, 0.3f, 0.5f, 1.0f, 1.4f})
    ExpectQuaternionNear(q, EvaluateRotation(a, b, s), 1e-6f);
}

TEST(Keyframe, BuildControlsOnALineAndWithEqualRotations) {
  Quaternion q = AxisAngle(0, 0, 1, 0.7f);
  Keyframe prev = Key(Set(1, 2, 3), Set(0, 0, 0));
  Keyframe key = Key(Set(4, 0, 4), Set(0, 0, 0));
  Keyframe next = Key(Set(7, -2, 5), Set(0, 0, 0));
  prev.rotation = key.rotation = next.rotation = q;
  BuildControls(prev, key, next);
  ExpectVectorNear(Set(3, -2, 1), key.gradient, 1e-6f);
  ExpectQuaternionNear(q, key.inControl, 1e-6f);
  ExpectQuaternionNear(q, key.outControl, 1e-6f);
  ExpectVectorNear(Set(1, 2, 3), prev.position, 0.0f);  // neighbours are read only
}

TEST(Keyframe, ControlsLieAThirdOfTheWayTowardsTheNeighbours) {
  // Keys turned 1.2 radians apart about one axis: the out control lies a
  // third of the way to the next key and the in control mirrors it through
  // the key (the reflection is a linear blend here, so not of unit length).
  Keyframe prev, key, next;
  prev.rotation = AxisAngle(0, 1, 0, 0.0f);
  key.rotation = AxisAngle(0, 1, 0, 1.2f);
  next.rotation = AxisAngle(0, 1, 0, 2.4f);
  BuildControls(prev, key, next);
  ExpectQuaternionNear(AxisAngle(0, 1, 0, 1.6f), key.outControl, 1e-5f);
  Quaternion mirrored(2 * key.rotation.x - key.outControl.x, 2 * key.rotation.y - key.outControl.y,
                      2 * key.rotation.z - key.outControl.z, 2 * key.rotation.w - key.outControl.w);
  ExpectQuaternionNear(mirrored, key.inControl, 1e-6f);

  prev.gradient = Set(1, 1, 1);
  StartControls(prev, key);
  ExpectQuaternionNear(AxisAngle(0, 1, 0, 0.4f), prev.outControl, 1e-6f);
  ExpectVectorNear(Set(0, 0, 0), prev.gradient, 0.0f);
}
