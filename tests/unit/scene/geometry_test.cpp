// Geometry files: the generated standard meshes, their round trip through
// the decoder and LoadGeometry, the noised variant, and hostile files.
#include <cmath>
#include <cstring>

#include "platform/opengl.h"
#include "scene_test_util.h"

namespace {

using GeometryTest = SceneTest;

Vector3 FaceNormal(const GeometryData& g, size_t face) {
  Vector3 a = g.vertices[g.faceVertices[face * 3]];
  Vector3 b = g.vertices[g.faceVertices[face * 3 + 1]];
  Vector3 c = g.vertices[g.faceVertices[face * 3 + 2]];
  return Normalize(Cross(Subtract(b, a), Subtract(c, a)));
}

Vector3 FaceCentre(const GeometryData& g, size_t face) {
  Vector3 sum = {0, 0, 0};
  for (int i = 0; i < 3; ++i) sum = Add(sum, g.vertices[g.faceVertices[face * 3 + i]]);
  return Scale(sum, 1.0f / 3.0f);
}

bool SameGeometry(const GeometryData& a, const GeometryData& b) {
  auto sameVectors = [](const std::vector<Vector3>& x, const std::vector<Vector3>& y) {
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(Vector3)) == 0;
  };
  return sameVectors(a.vertices, b.vertices) && sameVectors(a.normals, b.normals) &&
         a.faceVertices == b.faceVertices && a.faceTexCoords == b.faceTexCoords && a.texCoords == b.texCoords;
}

bool Decode(const std::vector<uint8_t>& bytes, bool noised, GeometryData* out, const char** failure) {
  return DecodeGeometry(bytes.data(), bytes.size(), noised, out, failure);
}

void PutU32At(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace

TEST_F(GeometryTest, StandardMeshesHaveTheirCountsAndFaceOutwards) {
  struct Case {
    GeometryData g;
    size_t vertices, faces, texCoords;
  };
  // generated mesh, vertex count, face count, texture coordinate count
  const Case cases[] = {{BuildIcosphere(3), 642, 1280, 718}, {BuildIcosphere(1), 42, 80, 64}, {BuildEnvCube(), 8, 12, 24}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.vertices, c.g.vertices.size());
    EXPECT_EQ(c.texCoords, c.g.texCoords.size() / 2);
    ASSERT_EQ(c.faces, c.g.FaceCount());
    for (size_t f = 0; f < c.faces; ++f) EXPECT_GT(Dot(FaceNormal(c.g, f), FaceCentre(c.g, f)), 0.0f) << f;
  }
}

TEST_F(GeometryTest, CubeCornerNormalsAreTheFaceNormals) {
  GeometryData cube = BuildEnvCube();
  for (size_t f = 0; f < 12; ++f)
    for (int i = 0; i < 3; ++i) {
      Vector3 n = cube.normals[f * 3 + i];
      EXPECT_FLOAT_EQ(1.0f, Dot(n, FaceNormal(cube, f))) << f;
    }
}

TEST_F(GeometryTest, SphereTextureSeamIsDuplicatedSoNoFaceWrapsAround) {
  GeometryData sphere = BuildIcosphere(3);
  EXPECT_GT(sphere.texCoords.size() / 2, sphere.vertices.size());
  for (size_t f = 0; f < sphere.FaceCount(); ++f) {
    float low = 2.0f, high = -1.0f;
    for (int i = 0; i < 3; ++i) {
      float s = sphere.texCoords[sphere.faceTexCoords[f * 3 + i] * 2];
      low = std::fmin(low, s);
      high = std::fmax(high, s);
    }
    EXPECT_LT(high - low, 0.3f) << f;
  }
}

TEST_F(GeometryTest, EncodedMeshesDecodeUnchanged) {
  for (const GeometryData& g : {BuildIcosphere(3), BuildEnvCube()}) {
    std::vector<uint8_t> bytes = EncodeGeometry(g);
    EXPECT_EQ(12 + 12 * g.vertices.size() + 60 * g.FaceCount() + 4 * g.texCoords.size(), bytes.size());
    GeometryData decoded;
    const char* failure = nullptr;
    ASSERT_TRUE(Decode(bytes, false, &decoded, &failure)) << failure;
    EXPECT_TRUE(SameGeometry(g, decoded));
  }
}

TEST_F(GeometryTest, NoisedVerticesTurnByAtMost2Point6Degrees) {
  std::vector<uint8_t> bytes = EncodeGeometry(BuildIcosphere(3));
  GeometryData plain, noised;
  const char* failure = nullptr;
  ASSERT_TRUE(Decode(bytes, false, &plain, &failure));
  ASSERT_TRUE(Decode(bytes, true, &noised, &failure));
  EXPECT_EQ(plain.normals.size(), noised.normals.size());
  EXPECT_EQ(0, std::memcmp(plain.normals.data(), noised.normals.data(), plain.normals.size() * sizeof(Vector3)));
  EXPECT_EQ(plain.texCoords, noised.texCoords);
  double largest = 0.0;
  for (size_t i = 0; i < plain.vertices.size(); ++i) {
    double cosine = Dot(plain.vertices[i], noised.vertices[i]) / (Length(plain.vertices[i]) * Length(noised.vertices[i]));
    double degrees = std::acos(std::fmin(1.0, cosine)) * 180.0 / 3.14159265358979;
    largest = std::fmax(largest, degrees);
    EXPECT_NEAR(Length(plain.vertices[i]), Length(noised.vertices[i]), 1e-5f);
  }
  EXPECT_LE(largest, 2.6 + 1e-3);
  EXPECT_GT(largest, 1.0);  // the noise did happen
}

TEST_F(GeometryTest, NoiseTakesFourDrawsPerVertex) {
  std::vector<uint8_t> bytes = EncodeGeometry(BuildEnvCube());
  GeometryData noised;
  const char* failure = nullptr;
  ASSERT_TRUE(Decode(bytes, true, &noised, &failure));
  int next = RandomDraw();
  RandomReset();
  for (int i = 0; i < 8 * 4; ++i) RandomDraw();
  EXPECT_EQ(RandomDraw(), next);
}

TEST_F(GeometryTest, HostileFilesAreRejectedWhole) {
  const std::vector<uint8_t> good = EncodeGeometry(BuildEnvCube());
  const size_t faceVertexOffset = 12 + 12 * 8;
  const size_t faceTexOffset = faceVertexOffset + 12 * 12;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* failure;
  };
  std::vector<Case> cases = {
      {"empty", {}, "file shorter than its header"},
      {"header cut", std::vector<uint8_t>(good.begin(), good.begin() + 11), "file shorter than its header"},
      {"body cut", std::vector<uint8_t>(good.begin(), good.end() - 1), "file shorter than its counts promise"},
      {"huge counts", good, "a count exceeds the record limit"},
      {"counts past the end", good, "file shorter than its counts promise"},
      {"vertex index", good, "vertex index out of range"},
      {"texture index", good, "texture coordinate index out of range"},
  };
  PutU32At(cases[3].bytes, 4, 0xFFFFFFFFu);
  PutU32At(cases[4].bytes, 0, 4000000u);
  PutU32At(cases[5].bytes, faceVertexOffset + 20, 8);
  PutU32At(cases[6].bytes, faceTexOffset + 4, 24);
  for (const Case& c : cases) {
    GeometryData out;
    const char* failure = nullptr;
    EXPECT_FALSE(Decode(c.bytes, false, &out, &failure)) << c.what;
    EXPECT_STREQ(c.failure, failure) << c.what;
    EXPECT_TRUE(out.vertices.empty() && out.faceVertices.empty()) << c.what;
  }
}

TEST_F(GeometryTest, TrailingBytesAfterTheArraysAreIgnored) {
  std::vector<uint8_t> bytes = EncodeGeometry(BuildEnvCube());
  bytes.push_back(0);
  GeometryData out;
  const char* failure = nullptr;
  EXPECT_TRUE(Decode(bytes, false, &out, &failure));
}

TEST_F(GeometryTest, LoadGeometryCompilesIntoTheSlotAndKeepsItOnFailure) {
  GlTestContext gl(64, 64);
  ASSERT_TRUE(gl.Ready());
  AddGeometryMember("meshes\\sphere.dat", BuildIcosphere(3));
  AddMember("meshes\\broken.dat", std::string(20, '\x7f'));
  InstallArchive();
  const char* failure = nullptr;
  ASSERT_TRUE(LoadGeometry(GeometrySlot::kCustom, "meshes\\sphere.dat", false, &failure)) << failure;
  uint32_t list = GeometryList(GeometrySlot::kCustom);
  EXPECT_TRUE(glIsList(list));
  EXPECT_FALSE(LoadGeometry(GeometrySlot::kCustom, "meshes\\broken.dat", false, &failure));
  EXPECT_STREQ(failure, "a count exceeds the record limit");
  EXPECT_FALSE(LoadGeometry(GeometrySlot::kCustom, "meshes\\none.dat", false, &failure));
  EXPECT_STREQ(failure, "file not found in the archive");
  EXPECT_EQ(list, GeometryList(GeometrySlot::kCustom));

  // The compiled sphere covers the middle of an orthographic view of the
  // unit square and leaves the corners empty.
  glViewport(0, 0, 64, 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.2, 1.2, -1.2, 1.2, -2, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glCallList(list);
  std::vector<uint8_t> pixels = gl.ReadPixels();
  EXPECT_EQ(255, pixels[(32 * 64 + 32) * 4]);
  EXPECT_EQ(255, pixels[(32 * 64 + 56) * 4]);  // x = 0.92 lies inside the 1280-face sphere
  EXPECT_EQ(0, pixels[(2 * 64 + 2) * 4]);
}
