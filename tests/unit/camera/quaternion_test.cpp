#include <gtest/gtest.h>

#include <cmath>

#include "camera/matrix4.h"
#include "camera/quaternion.h"
#include "camera_test_util.h"

namespace {
Quaternion Unit(float x, float y, float z, float w) {
  Quaternion q(x, y, z, w);
  q.Normalize();
  return q;
}

// Unit quaternions spread over every branch of FromMatrix: positive trace,
// and each of the three diagonal elements largest.
const Quaternion kSamples[] = {
    Unit(0, 0, 0, 1),      Unit(0.1f, 0.2f, 0.3f, 0.9f), Unit(0.9f, 0.1f, -0.2f, 0.1f),
    Unit(0.1f, -0.9f, 0.2f, 0.1f), Unit(-0.2f, 0.1f, 0.9f, -0.1f), Unit(1, 0, 0, 0),
    Unit(0, 0, 1, 0),      Unit(0.5f, 0.5f, 0.5f, -0.5f),
};

Vector3 Column(const Matrix4& m, int c) { return Vector3{m.m[c * 4], m.m[c * 4 + 1], m.m[c * 4 + 2]}; }
Vector3 Row(const Matrix4& m, int r) { return Vector3{m.m[r], m.m[4 + r], m.m[8 + r]}; }
}  // namespace

TEST(QuaternionRoundTrip, FromMatrixOfToMatrixIsTheConjugate) {
  for (const Quaternion& q : kSamples) {
    Quaternion back = FromMatrix(ToMatrix(q));
    // q and -q are the same rotation; compare against the conjugate's sign.
    float sign = (back.w * q.w - back.x * q.x - back.y * q.y - back.z * q.z) < 0 ? -1.0f : 1.0f;
    ExpectQuaternionNear(Quaternion(-q.x * sign, -q.y * sign, -q.z * sign, q.w * sign), back,
                         1e-6f);
  }
}

TEST(QuaternionRoundTrip, IdentityAndHalfTurnAboutY) {
  Matrix4 identity = MatrixFromBasis(Set(1, 0, 0), Set(0, 0, 1), Set(0, 1, 0));
  ExpectQuaternionNear(Quaternion(0, 0, 0, 1), FromMatrix(identity), 0.0f);
  // Diagonal -1, 1, -1: trace -1, the y element is largest.
  Matrix4 halfTurn = MatrixFromBasis(Set(-1, 0, 0), Set(0, 0, -1), Set(0, 1, 0));
  ExpectQuaternionNear(Quaternion(0, 1, 0, 0), FromMatrix(halfTurn), 0.0f);
}

TEST(QuaternionRoundTrip, ToMatrixRowsAreTheRotatedAxes) {
  // 90 degrees about z in the right-hand sense carries x to y.
  float h = std::sqrt(0.5f);
  Matrix4 m = ToMatrix(Quaternion(0, 0, h, h));
  ExpectVectorNear(Set(0, 1, 0), Row(m, 0), 1e-6f);
  ExpectVectorNear(Set(-1, 0, 0), Row(m, 1), 1e-6f);
  ExpectVectorNear(Set(0, 0, 1), Row(m, 2), 1e-6f);
  EXPECT_EQ(1.0f, m.m[15]);
  EXPECT_EQ(0.0f, m.m[3] + m.m[7] + m.m[11] + m.m[12] + m.m[13] + m.m[14]);
}

TEST(QuaternionRoundTrip, BasisThroughFromMatrixAndToMatrixComesBack) {
  for (const Quaternion& q : kSamples) {
    Matrix4 r = ToMatrix(q);  // its columns form an orthonormal right-handed frame
    Vector3 f = Column(r, 0), s = Column(r, 1), u = Cross(f, s);
    Matrix4 basis = MatrixFromBasis(f, u, s);
    ExpectVectorNear(f, Column(basis, 0), 0.0f);
    ExpectVectorNear(s, Column(basis, 1), 0.0f);
    ExpectVectorNear(u, Column(basis, 2), 0.0f);
    Matrix4 back = ToMatrix(FromMatrix(basis));
    ExpectVectorNear(f, Row(back, 0), 1e-6f);
    ExpectVectorNear(s, Row(back, 1), 1e-6f);
    ExpectVectorNear(u, Row(back, 2), 1e-6f);
  }
}

TEST(Slerp, EndsShortArcAndExtrapolation) {
  Quaternion a = Unit(0, 0, 0, 1);
  Quaternion b = Unit(0, 0, std::sin(0.6f), std::cos(0.6f));  // 1.2 rad apart
  ExpectQuaternionNear(a, Slerp(a, b, 0.0f), 0.0f);
  ExpectQuaternionNear(b, Slerp(a, b, 1.0f), 1e-6f);
  ExpectQuaternionNear(Unit(0, 0, std::sin(0.3f), std::cos(0.3f)), Slerp(a, b, 0.5f), 1e-6f);
  // t = -1 lands as far beyond a as b lies on the other side.
  ExpectQuaternionNear(Unit(0, 0, -std::sin(0.6f), std::cos(0.6f)), Slerp(a, b, -1.0f), 1e-6f);
  // A negative dot product takes the short way, towards -b.
  Quaternion minusB(-b.x, -b.y, -b.z, -b.w);
  ExpectQuaternionNear(b, Slerp(a, minusB, 1.0f), 1e-6f);
  ExpectQuaternionNear(Slerp(a, b, 0.25f), Slerp(a, minusB, 0.25f), 1e-6f);
}

TEST(Slerp, CloseQuaternionsBlendLinearlyWithoutRenormalising) {
  // Dot product 0.95: 1 - cos = 0.05 is within the 0.1 threshold.
  float angle = std::acos(0.95f);
  Quaternion a(0, 0, 0, 1);
  Quaternion b(std::sin(angle), 0, 0, std::cos(angle));
  Quaternion mid = Slerp(a, b, 0.5f);
  ExpectQuaternionNear(Quaternion(0.5f * b.x, 0, 0, 0.5f + 0.5f * b.w), mid, 1e-6f);
  EXPECT_LT(mid.x * mid.x + mid.w * mid.w, 0.99f);  // shorter than unit
  // Just past the threshold (dot 0.85) the spherical weights keep unit length.
  angle = std::acos(0.85f);
  Quaternion c(std::sin(angle), 0, 0, std::cos(angle));
  Quaternion arc = Slerp(a, c, 0.5f);
  EXPECT_NEAR(1.0f, arc.x * arc.x + arc.w * arc.w, 1e-6f);
}
