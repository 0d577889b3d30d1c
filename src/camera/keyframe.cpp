// Segment evaluation and control points of flight-path keys.
#include "camera/keyframe.h"

namespace {
// One third as the float the control rule was tuned with.
constexpr float kThird = 0.33333334f;
}  // namespace

Vector3 EvaluatePosition(const Keyframe& k0, const Keyframe& k1, float s) {
  float s2 = s * s;
  float s3 = s2 * s;
  float h00 = 2.0f * s3 - 3.0f * s2 + 1.0f;
  float h10 = s3 - 2.0f * s2 + s;
  float h01 = -2.0f * s3 + 3.0f * s2;
  float h11 = s3 - s2;
  Vector3 ends = Add(Scale(h00, k0.position), Scale(h01, k1.position));
  Vector3 tangents = Add(Scale(h10, k0.gradient), Scale(h11, k1.gradient));
  return Add(ends, tangents);
}

Quaternion EvaluateRotation(const Keyframe& k0, const Keyframe& k1, float s) {
  Quaternion a = Slerp(k0.rotation, k0.outControl, s);
  Quaternion b = Slerp(k0.outControl, k1.inControl, s);
  Quaternion c = Slerp(k1.inControl, k1.rotation, s);
  Quaternion d = Slerp(a, b, s);
  Quaternion e = Slerp(b, c, s);
  return Slerp(d, e, s);
}

void BuildControls(const Keyframe& prev, Keyframe& key, const Keyframe& next) {
  Vector3 d1 = Subtract(key.position, prev.position);
  Vector3 d2 = Subtract(next.position, key.position);
  key.gradient = Add(d1, Scale(0.5f, Subtract(d2, d1)));

  Quaternion awayFromPrev = Slerp(key.rotation, prev.rotation, -kThird);
  Quaternion towardsNext = Slerp(key.rotation, next.rotation, kThird);
  Quaternion mean = Slerp(awayFromPrev, towardsNext, 0.5f);
  key.inControl = Slerp(key.rotation, mean, -1.0f);
  key.outControl = Slerp(key.rotation, mean, 1.0f);
}

void StartControls(Keyframe& first, const Keyframe& second) {
  first.gradient = Vector3{0.0f, 0.0f, 0.0f};
  first.outControl = Slerp(first.rotation, second.rotation, kThird);
}
