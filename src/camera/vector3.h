// Vector3: three single-precision floats and the vector operations every
// moving or drawn thing uses. World space is OpenGL's right-handed space
// (x right, y up, z towards the viewer of an unrotated camera); angles are
// degrees. Every operation returns a new value and leaves its operands
// alone, except AddInPlace, SetAll and RotateAboutAxis, which change their
// first operand.
#pragma once

// A plain value; the default constructor leaves x, y and z unset.
struct Vector3 {
  float x;
  float y;
  float z;
};

Vector3 Set(float x, float y, float z);
// sqrt(x*x + y*y + z*z), summed in double precision.
float Length(Vector3 v);
Vector3 Negate(Vector3 v);
Vector3 Add(Vector3 a, Vector3 b);
Vector3 Subtract(Vector3 a, Vector3 b);
Vector3 Scale(Vector3 v, float s);
Vector3 Scale(float s, Vector3 v);
Vector3 Divide(Vector3 v, float s);
float Dot(Vector3 a, Vector3 b);
Vector3 Cross(Vector3 a, Vector3 b);
// v / Length(v). A zero vector gives NaN components; no caller passes one.
Vector3 Normalize(Vector3 v);
void AddInPlace(Vector3& v, Vector3 w);
void SetAll(Vector3& v, float s);

// Turns v about the axis through the origin (any non-zero length) by
// angleDegrees, in the sense of the OpenGL matrix stack read back through
// the bottom row: v' = v cos t + (v x a) sin t + a (a . v)(1 - cos t) with a
// the unit axis. That is a rotation by -angle in the right-hand sense, so
// (1, 0, 0) turned by 90 about (0, 0, 1) becomes (0, -1, 0).
void RotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees);

// A random direction: three draws of the process-wide generator, in the
// order x, y, z, each mapped to -10..10, then normalized. The directions
// follow the cube, not the sphere. No draw maps to exactly 0, so the vector
// is never zero.
Vector3 RandomUnitVector();
