// Quaternion: an orientation as four floats in the order x, y, z, w (vector
// part first, scalar last), with its conversions to and from Matrix4 and the
// spherical interpolation the keyframe curves are built from.
//
// ToMatrix and FromMatrix use opposite storage conventions, on purpose:
// FromMatrix(ToMatrix(q)) is the conjugate (-x, -y, -z, w). The camera builds
// an orientation with MatrixFromBasis + FromMatrix and reads it back with
// ToMatrix, and the two conventions together return the basis it started
// from: forward in (m0, m4, m8), side in (m1, m5, m9), up in (m2, m6, m10).
#pragma once

#include "camera/matrix4.h"

class Quaternion {
 public:
  // Identity until set; every user sets the components before reading.
  Quaternion() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
  Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
  virtual ~Quaternion() {}

  // Divides all four components by sqrt(x*x + y*y + z*z + w*w), in place.
  void Normalize();

  float x;
  float y;
  float z;
  float w;
};

// With R(q) the usual rotation matrix of q (right-hand rule, column
// vectors), m[r * 4 + c] = R(q)[r][c]: (m0, m4, m8) is R(q) applied to the x
// axis, (m1, m5, m9) to y and (m2, m6, m10) to z. Loaded into OpenGL
// unchanged it rotates by the inverse of q.
Matrix4 ToMatrix(const Quaternion& q);

// Reads the upper 3x3 block of m in OpenGL column order (m0..m2 is the image
// of the x axis) and returns the quaternion of that rotation's transpose,
// so that FromMatrix(ToMatrix(q)) is q's conjugate.
Quaternion FromMatrix(const Matrix4& m);

// Spherical interpolation from `from` (t = 0) to `to` (t = 1) along the
// shorter arc (to is negated when the dot product is negative); t outside
// 0..1 extrapolates. Pairs with 1 - cos below or at 0.1 (closer than about
// 52 degrees of rotation) are blended linearly. Not renormalized.
Quaternion Slerp(const Quaternion& from, const Quaternion& to, float t);
