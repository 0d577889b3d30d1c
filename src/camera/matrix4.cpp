// Building a rotation matrix from three basis vectors.
#include "camera/matrix4.h"

namespace {
void SetColumn(Matrix4& matrix, int column, Vector3 v) {
  matrix.m[column * 4 + 0] = v.x;
  matrix.m[column * 4 + 1] = v.y;
  matrix.m[column * 4 + 2] = v.z;
  matrix.m[column * 4 + 3] = 0.0f;
}
}  // namespace

Matrix4 MatrixFromBasis(Vector3 forward, Vector3 up, Vector3 side) {
  Matrix4 matrix;
  SetColumn(matrix, 0, forward);
  SetColumn(matrix, 1, side);
  SetColumn(matrix, 2, up);
  SetColumn(matrix, 3, Vector3{0.0f, 0.0f, 0.0f});
  matrix.m[15] = 1.0f;
  return matrix;
}
