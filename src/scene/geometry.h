// Geometry files and the four geometry slots. A geometry file (archive
// member in meshes\, e.g. "meshes\sphere.dat") is a triangle mesh in a
// compact little-endian layout without magic or padding:
//   header          vertexCount, faceCount, texCoordCount   (u32 each)
//   vertices        vertexCount  x 3 f32
//   face vertices   faceCount    x 3 u32  (index per corner)
//   face texcoords  faceCount    x 3 u32  (index per corner)
//   texcoords       texCoordCount x 2 f32 (s, t)
//   corner normals  faceCount    x 9 f32  (x, y, z of corners 0, 1, 2)
// LoadGeometry compiles a file into one GL display list (one GL_TRIANGLES
// batch) and keeps its name in a slot; the "noised" variant turns every
// vertex about a random axis by up to 2.6 degrees, leaving normals and
// texture coordinates alone, so the outline of a smooth-lit cloud layer
// becomes slightly irregular.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "camera/vector3.h"

// Record counts a header may ask for. The shipped sphere has 642 vertices,
// 1280 faces and 718 texture coordinates; four million records of any kind
// is far beyond a mesh drawn every frame, and the file must also hold the
// bytes its counts promise, which bounds every allocation by the member size.
constexpr uint32_t kMaxGeometryRecords = 1u << 22;

// Largest angle of the noised vertex rotation, degrees.
constexpr float kGeometryNoiseDegrees = 2.6f;

struct GeometryData {
  std::vector<Vector3> vertices;
  std::vector<uint32_t> faceVertices;   // three vertex indices per face
  std::vector<uint32_t> faceTexCoords;  // three texture-coordinate indices per face
  std::vector<float> texCoords;         // s, t per texture coordinate
  std::vector<Vector3> normals;         // three corner normals per face

  size_t FaceCount() const { return faceVertices.size() / 3; }
};

// Decodes a geometry file. With noised, each vertex is turned about
// RandomUnitVector() by RandomFraction() * 2.6 degrees as it is read (four
// draws of the process-wide generator per vertex). Returns false, with
// *failure naming the check, when the counts exceed kMaxGeometryRecords, the
// bytes are fewer than the counts promise, or an index reaches past its
// array; out is then left empty.
bool DecodeGeometry(const uint8_t* bytes, size_t size, bool noised, GeometryData* out,
                    const char** failure);

// DecodeGeometry of an archive member; a member that does not open fails.
bool ReadGeometryMember(const char* member, bool noised, GeometryData* out, const char** failure);

// The file bytes of a geometry (inverse of DecodeGeometry).
std::vector<uint8_t> EncodeGeometry(const GeometryData& geometry);

// Alpha of a corner from its vertex x coordinate (the atmosphere lists).
using CornerAlphaRule = float (*)(float x);

// Compiles the triangles into a new display list with the modelview matrix
// identity while compiling: per corner, colour (1, 1, 1, alphaRule(x)) when
// a rule is given, then normal, texture coordinate and vertex. Returns the
// list name, 0 when GL gives none.
uint32_t CompileGeometryList(const GeometryData& geometry, CornerAlphaRule alphaRule = nullptr);

enum class GeometrySlot { kEnv = 0, kSphere = 1, kNoisedSphere = 2, kCustom = 3 };
constexpr int kGeometrySlotCount = 4;

// One fixed slot: the display list last compiled into it.
struct Geometry {
  uint32_t listId = 0;  // GL display list name; 0 until loaded (draws nothing)
};

// The slots, indexed by GeometrySlot: env cube, sphere, noised sphere (loaded
// by BuildSphereLists) and the custom slot (each top-level `geometry` line).
extern Geometry geometrySlots[kGeometrySlotCount];
uint32_t GeometryList(GeometrySlot slot);
// Forgets the list names (the lists themselves go with the GL context).
void ResetGeometrySlots();

// Loads a geometry file into a slot (modelview matrix current). False, with
// *failure naming the reason, when GL gives no list name (nothing is read
// then) or the file is missing or malformed; the slot keeps its list.
bool LoadGeometry(GeometrySlot slot, const char* member, bool noised, const char** failure);
