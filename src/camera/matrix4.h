// Matrix4: sixteen floats in OpenGL column order, ready for glLoadMatrixf
// and glMultMatrixf. Element (row r, column c) is m[c * 4 + r]: m[0..2] is
// the first column, m[12..14] the translation.
#pragma once

#include "camera/vector3.h"

struct Matrix4 {
  float m[16];
};

// The rotation whose columns are forward, side and up (note the argument
// order differs from the column order): it carries the x axis to forward,
// y to side and z to up. No translation; m[15] = 1.
Matrix4 MatrixFromBasis(Vector3 forward, Vector3 up, Vector3 side);
