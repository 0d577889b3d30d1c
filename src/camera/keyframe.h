// Keyframe: one key of a flight path (position, Hermite tangent and
// orientation with its two Bezier control points), and the evaluation of
// the segment between two keys at a parameter s in 0..1 (values outside
// extrapolate). Positions follow a cubic Hermite curve; orientations follow a
// cubic Bezier curve on the quaternion sphere, evaluated by repeated Slerp.
#pragma once

#include "camera/quaternion.h"
#include "camera/vector3.h"

class Keyframe {
 public:
  virtual ~Keyframe() {}

  // The construction values of the three quaternions are not rotations:
  // every key gets real values before a segment that uses it is evaluated.
  float time = 0.0f;  // time stamp; takes no part in the camera flight
  Vector3 position = {0.0f, 0.0f, 0.0f};  // world units
  Vector3 gradient = {0.0f, 0.0f, 0.0f};  // tangent, world units per unit of s
  Quaternion rotation{0.0f, 0.0f, 0.0f, 0.0f};
  Quaternion inControl{0.0f, 1.0f, 0.0f, 1.0f};   // control on the segment ending here
  Quaternion outControl{0.0f, 1.0f, 0.0f, 1.0f};  // control on the segment starting here
};

// Hermite curve from k0.position (s = 0) to k1.position (s = 1) with the two
// keys' gradients as tangents, unscaled by any segment duration.
Vector3 EvaluatePosition(const Keyframe& k0, const Keyframe& k1, float s);

// Bezier curve k0.rotation, k0.outControl, k1.inControl, k1.rotation by de
// Casteljau's construction with Slerp steps. Not normalized.
Quaternion EvaluateRotation(const Keyframe& k0, const Keyframe& k1, float s);

// Sets key's gradient (the Catmull-Rom tangent (next - prev) / 2) and its
// in and out controls, so that the orientation passes through the key with
// a continuous rate of turn. prev and next are only read.
void BuildControls(const Keyframe& prev, Keyframe& key, const Keyframe& next);

// Controls of the first key of a path, which has no predecessor: zero
// gradient and an out control one third of the way to the second key.
void StartControls(Keyframe& first, const Keyframe& second);
