// Checks the camera math against real OpenGL (Mesa's off-screen renderer):
// RotateAboutAxis against glRotatef read back through the bottom row of the
// modelview matrix, and ApplyView against the matrix gluLookAt leaves.
#include <GL/osmesa.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "camera/camera_controller.h"
#include "camera_test_util.h"

namespace {
class OpenGlReference : public ::testing::Test {
 protected:
  void SetUp() override {
    context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    ASSERT_NE(nullptr, context);
    ASSERT_TRUE(OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, 4, 4));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override {
    if (context) OSMesaDestroyContext(context);
  }
  OSMesaContext context = nullptr;
  std::vector<unsigned char> pixels = std::vector<unsigned char>(4 * 4 * 4);
};

// v through the matrix stack: written into the bottom row of an identity,
// multiplied by glRotatef, read back from the bottom row.
Vector3 RotateThroughGl(Vector3 v, Vector3 axis, float degrees) {
  glPushMatrix();
  GLfloat m[16] = {1, 0, 0, v.x, 0, 1, 0, v.y, 0, 0, 1, v.z, 0, 0, 0, 1};
  glLoadMatrixf(m);
  glRotatef(degrees, axis.x, axis.y, axis.z);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glPopMatrix();
  return Vector3{m[3], m[7], m[11]};
}

// The modelview matrix applied to (v, w).
Vector3 Transform(const GLfloat* m, Vector3 v, float w) {
  return Vector3{m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * w,
                 m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * w,
                 m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * w};
}
}  // namespace

TEST_F(OpenGlReference, RotateAboutAxisEqualsGlRotate) {
  struct Case {
    Vector3 v, axis;
    float degrees;
  };
  const Case cases[] = {
      {{1, 0, 0}, {0, 0, 1}, 90},       {{1, 0, 0}, {0, 0, 5}, 90},
      {{0, 0, 90000}, {0.3f, -0.8f, 0.52f}, 213.5f},
      {{-3, 7, 2}, {1, 1, 0}, -47},     {{40000, 1200, -30000}, {0.1f, 0.99f, 0.05f}, 40},
      {{2, 3, 4}, {-2, 0.5f, 9}, 359}, {{2, 3, 4}, {0, 1, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    Vector3 v = c.v;
    RotateAboutAxis(v, c.axis, c.degrees);
    ExpectVectorNear(RotateThroughGl(c.v, c.axis, c.degrees), v, 2e-6f * Length(c.v));
  }
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(1, depth);
}

TEST_F(OpenGlReference, ApplyViewLooksFromEyeAlongForward) {
  CameraController camera;
  camera.eye = Set(30000, -2000, 45000);
  camera.forward = Normalize(Negate(camera.eye));
  Vector3 side = Normalize(Cross(Set(0, -1, 0), camera.forward));
  camera.up = Normalize(Cross(camera.forward, side));
  camera.ApplyView();
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  // GLU builds the matrix in single precision: about 1e-5 relative error,
  // half a unit at this distance.
  ExpectVectorNear(Set(0, 0, -1), Transform(m, camera.forward, 0), 1e-5f);
  ExpectVectorNear(Set(0, 1, 0), Transform(m, camera.up, 0), 1e-5f);
  ExpectVectorNear(Set(0, 0, 0), Transform(m, camera.eye, 1), 1.0f);
  // The origin lies straight ahead, at the eye's distance.
  ExpectVectorNear(Set(0, 0, -Length(camera.eye)), Transform(m, Set(0, 0, 0), 1), 1.0f);
}
