// terrava-tool mesh: writes the standard geometry files and reads any back.
//   mesh sphere SUBDIVISIONS OUT   unit icosphere (3: meshes\sphere.dat, 1: meshes\sph_low.dat)
//   mesh cube OUT                  the ±0.5 sky-box cube (meshes\env.dat)
//   mesh info FILE                 counts of a geometry file, or why it is rejected
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive_tree.h"
#include "scene/geometry.h"
#include "scene/geometry_builder.h"
#include "tool_commands.h"

namespace {

constexpr int kMaxSubdivisions = 6;  // 81922 vertices; beyond that a sphere is no longer a screensaver mesh

int Usage() {
  std::fprintf(stderr, "usage: terrava-tool mesh sphere SUBDIVISIONS OUT | cube OUT | info FILE\n"
                       "SUBDIVISIONS 0..%d. Exit code: 0 written, or FILE accepted by the saver's loader;\n"
                       "1 OUT not written, FILE unreadable or rejected; 2 usage error.\n",
               kMaxSubdivisions);
  return 2;
}

int Write(const GeometryData& g, const char* path) {
  std::vector<uint8_t> bytes = EncodeGeometry(g);
  if (!WriteFileBytes(path, bytes.data(), uint32_t(bytes.size()))) {
    std::fprintf(stderr, "mesh: cannot write %s\n", path);
    return 1;
  }
  std::printf("%s: %zu vertices, %zu faces, %zu texture coordinates, %zu bytes\n", path, g.vertices.size(),
              g.FaceCount(), g.texCoords.size() / 2, bytes.size());
  return 0;
}

int Info(const char* path) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, &bytes)) {
    std::fprintf(stderr, "mesh: cannot read %s\n", path);
    return 1;
  }
  GeometryData g;
  const char* failure = nullptr;
  if (!DecodeGeometry(bytes.data(), bytes.size(), false, &g, &failure)) {
    std::printf("%s: rejected: %s\n", path, failure);
    return 1;
  }
  std::printf("%s: %zu vertices, %zu faces, %zu texture coordinates\n", path, g.vertices.size(), g.FaceCount(),
              g.texCoords.size() / 2);
  return 0;
}

}  // namespace

int RunMeshCommand(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[0], "sphere") == 0) {
    char* end = nullptr;
    long subdivisions = std::strtol(argv[1], &end, 10);
    if (*end != '\0' || subdivisions < 0 || subdivisions > kMaxSubdivisions) return Usage();
    return Write(BuildIcosphere(int(subdivisions)), argv[2]);
  }
  if (argc == 2 && std::strcmp(argv[0], "cube") == 0) return Write(BuildEnvCube(), argv[1]);
  if (argc == 2 && std::strcmp(argv[0], "info") == 0) return Info(argv[1]);
  return Usage();
}
