// The camera flight: key generation, segment roll-over and the per-frame pose.
#include "camera/camera_controller.h"

#include "camera/matrix4.h"
#include "camera/random.h"

namespace {
constexpr float kStartDistance = 90000.0f;   // world units from the origin to K0
constexpr float kMinKeyDistance = 40000.0f;  // nearest distance of every key after K0
constexpr float kStartDistanceRange = 5000.0f;   // spread of K1's and K2's distance
constexpr float kFlightDistanceRange = 25000.0f; // spread of every later key's distance
constexpr float kKeyTurnDegrees = 40.0f;     // angle between neighbouring keys
constexpr float kAxisWanderDegrees = 60.0f;  // largest turn of the key axis per key
constexpr double kSegmentsPerUnit = 0.1;     // segments per unit of scaled dt

// Turns the key axis about a fresh random axis by a random angle below 60
// degrees: three draws for the axis, then one for the angle.
void WanderAxis(Vector3& wanderAxis) {
  Vector3 turnAxis = RandomUnitVector();
  float degrees = RandomFraction() * kAxisWanderDegrees;
  RotateAboutAxis(wanderAxis, turnAxis, degrees);
}

// Distance kMinKeyDistance + range * (one random fraction) along p's direction.
Vector3 AtRandomDistance(Vector3 p, float range) {
  return Scale(Normalize(p), RandomFraction() * range + kMinKeyDistance);
}

// The key after p: p turned by 40 degrees about the axis, at a random distance.
Vector3 NextKeyPosition(Vector3 p, Vector3 wanderAxis, float range) {
  RotateAboutAxis(p, wanderAxis, kKeyTurnDegrees);
  return AtRandomDistance(p, range);
}

void PlaceKey(Keyframe& key, Vector3 p) {
  key.position = p;
  key.rotation = LookAtOrigin(p);
}
}  // namespace

Quaternion LookAtOrigin(Vector3 p) {
  Vector3 f = Normalize(Negate(p));
  Vector3 side = Normalize(Cross(Vector3{0.0f, -1.0f, 0.0f}, f));
  Vector3 u = Normalize(Cross(f, side));
  return FromMatrix(MatrixFromBasis(f, u, side));
}

double CameraSpeedFactor(unsigned speed) { return speed / 50.0 + 0.5; }

void CameraController::StartFlight() {
  Vector3 wanderAxis = RandomUnitVector();
  PlaceFirstKey(wanderAxis);
  PlaceSecondKey(wanderAxis);
  StartControls(keys[0], keys[1]);
  PlaceThirdKey(wanderAxis);
  BuildControls(keys[0], keys[1], keys[2]);
}

// K0: 90000 units out along +z, turned about the axis by 10..360 degrees.
void CameraController::PlaceFirstKey(Vector3 wanderAxis) {
  Vector3 p = Vector3{0.0f, 0.0f, kStartDistance};
  RotateAboutAxis(p, wanderAxis, RandomFraction() * 350.0f + 10.0f);
  PlaceKey(keys[0], p);
  keys[0].gradient = Vector3{0.0f, 0.0f, 0.0f};
}

// K1: K0's direction at 40000..45000 units, turned about the wandered axis.
// The distance is drawn before the axis wanders.
void CameraController::PlaceSecondKey(Vector3& wanderAxis) {
  Vector3 p = AtRandomDistance(keys[0].position, kStartDistanceRange);
  WanderAxis(wanderAxis);
  RotateAboutAxis(p, wanderAxis, kKeyTurnDegrees);
  PlaceKey(keys[1], p);
  keys[1].gradient = Vector3{0.0f, 0.0f, 0.0f};
}

// K2: K1 turned about the wandered axis, at 40000..45000 units.
void CameraController::PlaceThirdKey(Vector3& wanderAxis) {
  WanderAxis(wanderAxis);
  PlaceKey(keys[2], NextKeyPosition(keys[1].position, wanderAxis, kStartDistanceRange));
}

void CameraController::Advance(double dt) {
  eye = position;
  segmentParameter = float(segmentParameter + dt * kSegmentsPerUnit);
  if (segmentParameter >= 1.0f) StartNextSegment();

  float s = segmentParameter;
  position = EvaluatePosition(keys[0], keys[1], s);
  eye = position;
  orientation = EvaluateRotation(keys[0], keys[1], s);
  orientation.Normalize();
  Matrix4 m = ToMatrix(orientation);
  forward = Vector3{m.m[0], m.m[4], m.m[8]};
  up = Vector3{m.m[2], m.m[6], m.m[10]};
}

// Rolls the keys (whole keys, controls included) and appends a key turned
// about an axis within 60 degrees of +y, 40000..65000 units out. The new
// K2 keeps its old gradient and controls until it becomes K1.
void CameraController::StartNextSegment() {
  segmentParameter -= 1.0f;
  keys[0] = keys[1];
  keys[1] = keys[2];
  Vector3 wanderAxis = Vector3{0.0f, 1.0f, 0.0f};
  WanderAxis(wanderAxis);
  PlaceKey(keys[2], NextKeyPosition(keys[1].position, wanderAxis, kFlightDistanceRange));
  BuildControls(keys[0], keys[1], keys[2]);
}
