// Generation of the icosphere and the sky-box cube.
#include "scene/geometry_builder.h"

#include <cmath>
#include <cstring>
#include <map>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Triangle {
  uint32_t a, b, c;
};

// The icosahedron: north pole, a ring of five above the equator, a ring of
// five below it turned by 36 degrees, south pole.
void BuildIcosahedron(std::vector<Vector3>* vertices, std::vector<Triangle>* faces) {
  const double ringZ = 1.0 / std::sqrt(5.0);
  const double ringRadius = 2.0 / std::sqrt(5.0);
  vertices->push_back(Vector3{0.0f, 0.0f, 1.0f});
  for (int ring = 0; ring < 2; ++ring)
    for (int k = 0; k < 5; ++k) {
      double longitude = (72.0 * k + 36.0 * ring) * kPi / 180.0;
      vertices->push_back(Vector3{float(ringRadius * std::cos(longitude)),
                                  float(ringRadius * std::sin(longitude)),
                                  float(ring == 0 ? ringZ : -ringZ)});
    }
  vertices->push_back(Vector3{0.0f, 0.0f, -1.0f});
  for (uint32_t k = 0; k < 5; ++k) {
    uint32_t u0 = 1 + k, u1 = 1 + (k + 1) % 5, l0 = 6 + k, l1 = 6 + (k + 1) % 5;
    faces->push_back(Triangle{0, u0, u1});
    faces->push_back(Triangle{u0, l0, u1});
    faces->push_back(Triangle{u1, l0, l1});
    faces->push_back(Triangle{11, l1, l0});
  }
}

// The index of the (normalised) midpoint of edge a-b, made once per edge.
uint32_t Midpoint(uint32_t a, uint32_t b, std::vector<Vector3>* vertices,
                  std::map<std::pair<uint32_t, uint32_t>, uint32_t>* cache) {
  std::pair<uint32_t, uint32_t> key = a < b ? std::make_pair(a, b) : std::make_pair(b, a);
  auto found = cache->find(key);
  if (found != cache->end()) return found->second;
  Vector3 m = Normalize(Scale(Add((*vertices)[a], (*vertices)[b]), 0.5f));
  vertices->push_back(m);
  uint32_t index = uint32_t(vertices->size() - 1);
  (*cache)[key] = index;
  return index;
}

void Subdivide(std::vector<Vector3>* vertices, std::vector<Triangle>* faces) {
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> cache;
  std::vector<Triangle> finer;
  for (const Triangle& t : *faces) {
    uint32_t ab = Midpoint(t.a, t.b, vertices, &cache);
    uint32_t bc = Midpoint(t.b, t.c, vertices, &cache);
    uint32_t ca = Midpoint(t.c, t.a, vertices, &cache);
    finer.push_back(Triangle{t.a, ab, ca});
    finer.push_back(Triangle{ab, t.b, bc});
    finer.push_back(Triangle{ca, bc, t.c});
    finer.push_back(Triangle{ab, bc, ca});
  }
  *faces = finer;
}

bool IsPole(Vector3 v) { return std::fabs(v.z) > 0.999999f; }

// Longitude fraction 0..1, growing eastwards; the meridian x > 0, y = 0 is 0.
float Longitude(Vector3 v) {
  double s = std::atan2(v.y, v.x) / (2.0 * kPi);
  if (s < 0.0) s += 1.0;
  if (s > 1.0 - 1e-6) s = 0.0;
  return float(s);
}

float Latitude(Vector3 v) { return float(std::acos(-double(v.z)) / kPi); }

// Texture coordinates shared per (vertex, s) pair, or made for one corner.
class TexCoordTable {
 public:
  explicit TexCoordTable(GeometryData* g) : geometry(g) {}
  uint32_t Get(uint32_t vertex, float s, float t) {
    uint32_t bits;
    std::memcpy(&bits, &s, 4);
    auto key = std::make_pair(vertex, bits);
    auto found = indices.find(key);
    if (found != indices.end()) return found->second;
    uint32_t index = Add(s, t);
    indices[key] = index;
    return index;
  }
  uint32_t Add(float s, float t) {
    geometry->texCoords.push_back(s);
    geometry->texCoords.push_back(t);
    return uint32_t(geometry->texCoords.size() / 2 - 1);
  }

 private:
  GeometryData* geometry;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> indices;
};

// s of the three corners of a face: across the seam the small ones get +1
// (marked in shifted), and a pole corner takes the mean of the other two.
void FaceLongitudes(const std::vector<Vector3>& v, const uint32_t corner[3], float s[3], bool shifted[3]) {
  float low = 2.0f, high = -1.0f;
  for (int i = 0; i < 3; ++i) {
    s[i] = Longitude(v[corner[i]]);
    if (IsPole(v[corner[i]])) continue;
    low = std::fmin(low, s[i]);
    high = std::fmax(high, s[i]);
  }
  for (int i = 0; i < 3; ++i) {
    shifted[i] = !IsPole(v[corner[i]]) && high - low > 0.5f && s[i] < 0.5f;
    if (shifted[i]) s[i] += 1.0f;
  }
  for (int i = 0; i < 3; ++i)
    if (IsPole(v[corner[i]])) s[i] = 0.5f * (s[(i + 1) % 3] + s[(i + 2) % 3]);
}

}  // namespace

GeometryData BuildIcosphere(int subdivisions) {
  std::vector<Vector3> vertices;
  std::vector<Triangle> faces;
  BuildIcosahedron(&vertices, &faces);
  for (int i = 0; i < subdivisions; ++i) Subdivide(&vertices, &faces);

  GeometryData g;
  g.vertices = vertices;
  TexCoordTable texCoords(&g);
  for (const Triangle& t : faces) {
    const uint32_t corner[3] = {t.a, t.b, t.c};
    float s[3];
    bool shifted[3];
    FaceLongitudes(vertices, corner, s, shifted);
    for (int i = 0; i < 3; ++i) {
      float latitude = Latitude(vertices[corner[i]]);
      g.faceVertices.push_back(corner[i]);
      g.faceTexCoords.push_back(shifted[i] ? texCoords.Add(s[i], latitude)
                                           : texCoords.Get(corner[i], s[i], latitude));
      g.normals.push_back(vertices[corner[i]]);
    }
  }
  return g;
}

namespace {

// Index of the cube corner with the given signs (bit 0: x > 0, 1: y, 2: z).
uint32_t CubeCorner(Vector3 p) { return (p.x > 0 ? 1u : 0u) | (p.y > 0 ? 2u : 0u) | (p.z > 0 ? 4u : 0u); }

struct CubeFace {
  Vector3 normal, a, b;  // a x b = normal; s grows along a, t along b
};

// Faces in cell order (left to right, then the second row). The axes are
// turned so that 5 of the 12 places where cells meet (counting the wrap at
// the picture's edges) are the same cube edge on both sides: there a sky
// picture is continuous and bilinear filtering across the cell border
// shows no line. No arrangement of six cells manages more.
const CubeFace kCubeFaces[6] = {
    {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}}, {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},  {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}},
    {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},  {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
};

}  // namespace

GeometryData BuildEnvCube(int pictureWidth, int pictureHeight) {
  GeometryData g;
  for (uint32_t i = 0; i < 8; ++i)
    g.vertices.push_back(Vector3{i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f});
  // Cell borders fall on whole texels, so that every texel belongs to one
  // cell; the corners lie half a texel inside them.
  auto border = [](int index, int cells, int texels) { return std::round(float(index * texels) / float(cells)); };
  auto low = [&](int index, int cells, int texels) { return (border(index, cells, texels) + 0.5f) / float(texels); };
  auto high = [&](int index, int cells, int texels) { return (border(index + 1, cells, texels) - 0.5f) / float(texels); };
  for (int f = 0; f < 6; ++f) {
    // The face's cell of the 3 x 2 grid, corners in the same order as quad.
    float s0 = low(f % 3, 3, pictureWidth), s1 = high(f % 3, 3, pictureWidth);
    float t0 = low(f / 3, 2, pictureHeight), t1 = high(f / 3, 2, pictureHeight);
    const float corners[8] = {s0, t0, s1, t0, s1, t1, s0, t1};
    g.texCoords.insert(g.texCoords.end(), corners, corners + 8);
  }
  for (int f = 0; f < 6; ++f) {
    const CubeFace& face = kCubeFaces[f];
    Vector3 centre = Scale(face.normal, 0.5f), a = Scale(face.a, 0.5f), b = Scale(face.b, 0.5f);
    const Vector3 quad[4] = {Subtract(Subtract(centre, a), b), Subtract(Add(centre, a), b),
                             Add(Add(centre, a), b), Add(Subtract(centre, a), b)};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    for (int k : order) {
      g.faceVertices.push_back(CubeCorner(quad[k]));
      g.faceTexCoords.push_back(uint32_t(f * 4 + k));
      g.normals.push_back(face.normal);
    }
  }
  return g;
}
