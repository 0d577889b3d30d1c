// Geometry files: decoding with its checks, encoding, display-list
// compilation and the four slots.
//
// [SECTION] decoding and encoding
// [SECTION] display lists and slots
#include "scene/geometry.h"

#include <cstring>

#include "archive/archive_file.h"
#include "archive/byte_cursor.h"
#include "camera/random.h"
#include "platform/opengl.h"

Geometry geometrySlots[kGeometrySlotCount];

// [SECTION] decoding and encoding

namespace {

constexpr uint64_t kHeaderBytes = 12;
constexpr uint64_t kVertexBytes = 12;    // x, y, z
constexpr uint64_t kFaceBytes = 24 + 36; // 3 + 3 indices, 9 normal floats
constexpr uint64_t kTexCoordBytes = 8;   // s, t

bool ReadVector(ByteCursor& in, Vector3* v) {
  return in.ReadF32(&v->x) && in.ReadF32(&v->y) && in.ReadF32(&v->z);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutF32(std::vector<uint8_t>& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  PutU32(out, bits);
}

void PutVector(std::vector<uint8_t>& out, Vector3 v) {
  PutF32(out, v.x);
  PutF32(out, v.y);
  PutF32(out, v.z);
}

void Noise(Vector3& vertex) {
  Vector3 axis = RandomUnitVector();
  float degrees = RandomFraction() * kGeometryNoiseDegrees;
  RotateAboutAxis(vertex, axis, degrees);
}

bool ReadVertices(ByteCursor& in, uint32_t count, bool noised, GeometryData* out) {
  out->vertices.resize(count);
  for (Vector3& v : out->vertices) {
    if (!ReadVector(in, &v)) return false;
    if (noised) Noise(v);
  }
  return true;
}

bool ReadIndices(ByteCursor& in, std::vector<uint32_t>& indices, uint32_t faceCount) {
  indices.resize(size_t(faceCount) * 3);
  for (uint32_t& index : indices)
    if (!in.ReadU32(&index)) return false;
  return true;
}

bool ReadFloats(ByteCursor& in, std::vector<float>& values, size_t count) {
  values.resize(count);
  for (float& value : values)
    if (!in.ReadF32(&value)) return false;
  return true;
}

bool ReadNormals(ByteCursor& in, uint32_t faceCount, GeometryData* out) {
  out->normals.resize(size_t(faceCount) * 3);
  for (Vector3& n : out->normals)
    if (!ReadVector(in, &n)) return false;
  return true;
}

bool IndicesBelow(const std::vector<uint32_t>& indices, size_t count) {
  for (uint32_t index : indices)
    if (index >= count) return false;
  return true;
}

// The header's counts, checked against the limit and the bytes present.
const char* CheckCounts(uint32_t vertexCount, uint32_t faceCount, uint32_t texCoordCount, size_t size) {
  if (vertexCount > kMaxGeometryRecords || faceCount > kMaxGeometryRecords ||
      texCoordCount > kMaxGeometryRecords)
    return "a count exceeds the record limit";
  uint64_t needed = kHeaderBytes + kVertexBytes * vertexCount + kFaceBytes * faceCount +
                    kTexCoordBytes * texCoordCount;
  if (needed > size) return "file shorter than its counts promise";
  return nullptr;
}

const char* DecodeBody(ByteCursor& in, uint32_t vertexCount, uint32_t faceCount,
                       uint32_t texCoordCount, bool noised, GeometryData* out) {
  if (!ReadVertices(in, vertexCount, noised, out) || !ReadIndices(in, out->faceVertices, faceCount) ||
      !ReadIndices(in, out->faceTexCoords, faceCount) ||
      !ReadFloats(in, out->texCoords, size_t(texCoordCount) * 2) || !ReadNormals(in, faceCount, out))
    return "file shorter than its counts promise";
  if (!IndicesBelow(out->faceVertices, vertexCount)) return "vertex index out of range";
  if (!IndicesBelow(out->faceTexCoords, texCoordCount)) return "texture coordinate index out of range";
  return nullptr;
}

}  // namespace

bool DecodeGeometry(const uint8_t* bytes, size_t size, bool noised, GeometryData* out,
                    const char** failure) {
  *out = GeometryData{};
  ByteCursor in{bytes, size, 0};
  uint32_t vertexCount = 0, faceCount = 0, texCoordCount = 0;
  if (!in.ReadU32(&vertexCount) || !in.ReadU32(&faceCount) || !in.ReadU32(&texCoordCount)) {
    *failure = "file shorter than its header";
    return false;
  }
  const char* problem = CheckCounts(vertexCount, faceCount, texCoordCount, size);
  if (problem == nullptr) problem = DecodeBody(in, vertexCount, faceCount, texCoordCount, noised, out);
  if (problem != nullptr) {
    *out = GeometryData{};
    *failure = problem;
    return false;
  }
  return true;
}

bool ReadGeometryMember(const char* member, bool noised, GeometryData* out, const char** failure) {
  ArchiveFile file;
  if (!file.OpenMember(member)) {
    *out = GeometryData{};
    *failure = "file not found in the archive";
    return false;
  }
  return DecodeGeometry(file.data, file.size, noised, out, failure);
}

std::vector<uint8_t> EncodeGeometry(const GeometryData& geometry) {
  std::vector<uint8_t> out;
  PutU32(out, uint32_t(geometry.vertices.size()));
  PutU32(out, uint32_t(geometry.FaceCount()));
  PutU32(out, uint32_t(geometry.texCoords.size() / 2));
  for (Vector3 v : geometry.vertices) PutVector(out, v);
  for (uint32_t index : geometry.faceVertices) PutU32(out, index);
  for (uint32_t index : geometry.faceTexCoords) PutU32(out, index);
  for (float value : geometry.texCoords) PutF32(out, value);
  for (Vector3 n : geometry.normals) PutVector(out, n);
  return out;
}

// [SECTION] display lists and slots

namespace {

void CompileInto(GLuint list, const GeometryData& geometry, CornerAlphaRule alphaRule) {
  glPushMatrix();
  glLoadIdentity();
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (size_t corner = 0; corner < geometry.faceVertices.size(); ++corner) {
    const Vector3& v = geometry.vertices[geometry.faceVertices[corner]];
    const float* st = &geometry.texCoords[size_t(geometry.faceTexCoords[corner]) * 2];
    const Vector3& n = geometry.normals[corner];
    if (alphaRule != nullptr) glColor4f(1.0f, 1.0f, 1.0f, alphaRule(v.x));
    glNormal3f(n.x, n.y, n.z);
    glTexCoord2f(st[0], st[1]);
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
  glEndList();
  glPopMatrix();
}

}  // namespace

uint32_t CompileGeometryList(const GeometryData& geometry, CornerAlphaRule alphaRule) {
  GLuint list = glGenLists(1);
  if (list != 0) CompileInto(list, geometry, alphaRule);
  return list;
}

uint32_t GeometryList(GeometrySlot slot) { return geometrySlots[int(slot)].listId; }

void ResetGeometrySlots() {
  for (Geometry& slot : geometrySlots) slot = Geometry{};
}

bool LoadGeometry(GeometrySlot slot, const char* member, bool noised, const char** failure) {
  GLuint list = glGenLists(1);
  if (list == 0) {
    *failure = "no display list name available";
    return false;
  }
  GeometryData geometry;
  if (!ReadGeometryMember(member, noised, &geometry, failure)) {
    glDeleteLists(list, 1);
    return false;
  }
  CompileInto(list, geometry, nullptr);
  glFinish();
  geometrySlots[int(slot)].listId = list;
  return true;
}
