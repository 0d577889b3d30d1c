// Vector operations, the axis rotation and the random direction.
#include "camera/vector3.h"

#include <cmath>

#include "camera/random.h"

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
}  // namespace

Vector3 Set(float x, float y, float z) { return Vector3{x, y, z}; }

float Length(Vector3 v) {
  double sum = double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z;
  return float(std::sqrt(sum));
}

Vector3 Negate(Vector3 v) { return Vector3{-v.x, -v.y, -v.z}; }

Vector3 Add(Vector3 a, Vector3 b) { return Vector3{a.x + b.x, a.y + b.y, a.z + b.z}; }

Vector3 Subtract(Vector3 a, Vector3 b) { return Vector3{a.x - b.x, a.y - b.y, a.z - b.z}; }

Vector3 Scale(Vector3 v, float s) { return Vector3{v.x * s, v.y * s, v.z * s}; }

Vector3 Scale(float s, Vector3 v) { return Scale(v, s); }

Vector3 Divide(Vector3 v, float s) { return Vector3{v.x / s, v.y / s, v.z / s}; }

float Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 Cross(Vector3 a, Vector3 b) {
  return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 Normalize(Vector3 v) { return Divide(v, Length(v)); }

void AddInPlace(Vector3& v, Vector3 w) { v = Add(v, w); }

void SetAll(Vector3& v, float s) { v = Vector3{s, s, s}; }

void RotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees) {
  Vector3 a = Normalize(axis);
  double theta = angleDegrees * kRadiansPerDegree;
  float c = float(std::cos(theta));
  float s = float(std::sin(theta));
  Vector3 along = Scale(a, Dot(a, v) * (1.0f - c));
  v = Add(Add(Scale(v, c), Scale(Cross(v, a), s)), along);
}

Vector3 RandomUnitVector() {
  // Separate statements: the three draws must happen in x, y, z order.
  float x = RandomFraction() * 20.0f - 10.0f;
  float y = RandomFraction() * 20.0f - 10.0f;
  float z = RandomFraction() * 20.0f - 10.0f;
  return Normalize(Vector3{x, y, z});
}
