// Quaternion normalization, matrix conversions and spherical interpolation.
#include "camera/quaternion.h"

#include <cmath>

namespace {
// 1 - cos(omega) at or below which Slerp blends linearly.
constexpr double kLinearBlendThreshold = 0.1;

float& Component(Quaternion& q, int index) {
  return index == 0 ? q.x : index == 1 ? q.y : q.z;
}

// FromMatrix when the trace is not positive: start from the component of the
// largest diagonal element, which keeps the square root well away from zero.
Quaternion FromMatrixByLargestDiagonal(const float* m) {
  static const int next[3] = {1, 2, 0};
  int i = 0;
  if (m[5] > m[0]) i = 1;
  if (m[10] > m[i * 5]) i = 2;
  int j = next[i];
  int k = next[j];
  Quaternion q;
  float s = std::sqrt(m[i * 5] - (m[j * 5] + m[k * 5]) + 1.0f);
  Component(q, i) = s / 2.0f;
  if (s != 0.0f) s = 0.5f / s;
  q.w = (m[j * 4 + k] - m[k * 4 + j]) * s;
  Component(q, j) = (m[i * 4 + j] + m[j * 4 + i]) * s;
  Component(q, k) = (m[i * 4 + k] + m[k * 4 + i]) * s;
  return q;
}
}  // namespace

void Quaternion::Normalize() {
  float length = std::sqrt(x * x + y * y + z * z + w * w);
  x /= length;
  y /= length;
  z /= length;
  w /= length;
}

Matrix4 ToMatrix(const Quaternion& q) {
  float x2 = q.x * 2.0f, y2 = q.y * 2.0f, z2 = q.z * 2.0f;
  float xx = q.x * x2, xy = q.x * y2, xz = q.x * z2;
  float yy = q.y * y2, yz = q.y * z2, zz = q.z * z2;
  float wx = q.w * x2, wy = q.w * y2, wz = q.w * z2;
  Matrix4 r;
  r.m[0] = 1.0f - (yy + zz);
  r.m[1] = xy - wz;
  r.m[2] = xz + wy;
  r.m[4] = xy + wz;
  r.m[5] = 1.0f - (xx + zz);
  r.m[6] = yz - wx;
  r.m[8] = xz - wy;
  r.m[9] = yz + wx;
  r.m[10] = 1.0f - (xx + yy);
  r.m[3] = r.m[7] = r.m[11] = r.m[12] = r.m[13] = r.m[14] = 0.0f;
  r.m[15] = 1.0f;
  return r;
}

Quaternion FromMatrix(const Matrix4& matrix) {
  const float* m = matrix.m;
  float trace = m[0] + m[5] + m[10];
  if (!(trace > 0.0f)) return FromMatrixByLargestDiagonal(m);
  float s = std::sqrt(trace + 1.0f);
  Quaternion q;
  q.w = s / 2.0f;
  s = 0.5f / s;
  q.x = (m[6] - m[9]) * s;
  q.y = (m[8] - m[2]) * s;
  q.z = (m[1] - m[4]) * s;
  return q;
}

Quaternion Slerp(const Quaternion& from, const Quaternion& to, float t) {
  double cosom = double(from.x) * to.x + double(from.y) * to.y + double(from.z) * to.z +
                 double(from.w) * to.w;
  Quaternion target = to;
  if (cosom < 0.0) {
    cosom = -cosom;
    target = Quaternion(-to.x, -to.y, -to.z, -to.w);
  }
  double scale0 = 1.0 - t;
  double scale1 = t;
  if (1.0 - cosom > kLinearBlendThreshold) {
    double omega = std::acos(cosom);
    double sinom = std::sin(omega);
    scale0 = std::sin((1.0 - t) * omega) / sinom;
    scale1 = std::sin(t * omega) / sinom;
  }
  return Quaternion(float(scale0 * from.x + scale1 * target.x),
                    float(scale0 * from.y + scale1 * target.y),
                    float(scale0 * from.z + scale1 * target.z),
                    float(scale0 * from.w + scale1 * target.w));
}
