// The shipped sky box shows no line where two cells of its picture meet:
// the cube "meshes/env.dat" textured with "textures/500.jpg" is drawn from
// its centre through the sky's narrow frustum, looking at the middle of each
// of its 12 edges with the edge upright, at the smallest and largest screen
// sizes; the brightness step across the edge, averaged along it, is no
// larger than the largest step within 8 pixels on either side (or than one
// brightness level).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gl_test_context.h"
#include "image/jpeg_image.h"
#include "image/texture_upload.h"
#include "platform/opengl.h"
#include "scene/geometry.h"
#include "shipped_files.h"

namespace {

constexpr double kSkyFov = 0.5;  // half height of the sky frustum at distance 1, as the shipped sky sphere
constexpr float kCubeSize = 100.0f;  // beyond the near plane at 1
// Below one brightness level of the 8-bit picture a step is not drawn at
// all; averaged along the edge, the picture's own grain leaves steps of a
// fraction of a level anywhere.
constexpr double kOneLevel = 1.0;
constexpr int kReach = 8;        // pixels either side of the edge compared with it

void DrawCube(const GeometryData& cube) {
  glBegin(GL_TRIANGLES);
  for (size_t corner = 0; corner < cube.faceVertices.size(); ++corner) {
    const float* st = &cube.texCoords[size_t(cube.faceTexCoords[corner]) * 2];
    const Vector3& v = cube.vertices[cube.faceVertices[corner]];
    glTexCoord2f(st[0], st[1]);
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

// The edge runs down the centre of the picture, between columns
// width / 2 - 1 and width / 2. The brightness (mean of R, G and B) of each
// column near it is averaged over the middle half of the rows, which keeps
// what runs along the edge (a line, a step) and averages the texture's own
// grain away; then the step across the edge (the largest of the three steps
// between columns width / 2 - 2 .. width / 2 + 1, so that a line one pixel
// wide counts) and the largest step further out, up to kReach pixels either
// side.
struct EdgeSteps {
  double across = 0, nearby = 0;
};
EdgeSteps StepsAtCentre(const std::vector<uint8_t>& rgba, int width, int height) {
  int first = width / 2 - kReach - 2, rows = height / 2;
  std::vector<double> profile(2 * kReach + 4, 0.0);
  for (int y = height / 4; y < height / 4 + rows; ++y)
    for (size_t i = 0; i < profile.size(); ++i) {
      const uint8_t* p = &rgba[(size_t(y) * width + first + int(i)) * 4];
      profile[i] += (p[0] + p[1] + p[2]) / 3.0 / rows;
    }
  EdgeSteps steps;
  for (size_t i = 1; i < profile.size(); ++i) {
    int k = first + int(i) - width / 2;  // the step between columns k - 1 and k, from the centre
    double& into = k >= -1 && k <= 1 ? steps.across : steps.nearby;
    into = std::max(into, std::fabs(profile[i] - profile[i - 1]));
  }
  return steps;
}

}  // namespace

TEST(ShippedSky, NoLineShowsWhereTheCellsOfTheSkyPictureMeet) {
  std::vector<uint8_t> meshBytes = ReadShippedFile("resources/data/meshes/env.dat");
  std::vector<uint8_t> pictureBytes = ReadShippedFile("resources/data/textures/500.jpg");
  GeometryData cube;
  const char* failure = nullptr;
  ASSERT_TRUE(DecodeGeometry(meshBytes.data(), meshBytes.size(), false, &cube, &failure));
  double worstStep = 0;
  for (auto size : {std::pair<int, int>{800, 600}, std::pair<int, int>{3840, 2160}}) {
    GlTestContext gl(size.first, size.second);
    ASSERT_TRUE(gl.Ready());
    JpegImage picture;
    ASSERT_TRUE(DecodeJpegImage(pictureBytes.data(), uint32_t(pictureBytes.size()), &picture));
    UploadMipmappedTexture(UploadFormat::kRgb, picture.width, picture.height, picture.pixels);
    FreeJpegImage(&picture);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    double halfWidth = kSkyFov * size.first / size.second;
    glFrustum(-halfWidth, halfWidth, -kSkyFov, kSkyFov, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    // Every edge: one coordinate runs along it, the other two are +-0.5.
    for (int axis = 0; axis < 3; ++axis)
      for (int signs = 0; signs < 4; ++signs) {
        float middle[3], along[3] = {0, 0, 0};
        middle[axis] = 0.0f;
        middle[(axis + 1) % 3] = signs & 1 ? 0.5f : -0.5f;
        middle[(axis + 2) % 3] = signs & 2 ? 0.5f : -0.5f;
        along[axis] = 1.0f;
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(0, 0, 0, middle[0], middle[1], middle[2], along[0], along[1], along[2]);
        glScalef(kCubeSize, kCubeSize, kCubeSize);
        DrawCube(cube);
        EdgeSteps steps = StepsAtCentre(gl.ReadPixels(), size.first, size.second);
        std::string where = std::to_string(size.first) + "x" + std::to_string(size.second) + " edge along axis " +
                            std::to_string(axis) + " signs " + std::to_string(signs);
        EXPECT_LE(steps.across, std::max(steps.nearby, kOneLevel)) << where;
        worstStep = std::max(worstStep, steps.across);
      }
  }
  RecordProperty("largest_edge_step_levels", std::to_string(worstStep));
}
