// Fuzz target for geometry files. Any bytes either decode into arrays whose
// counts match the header and whose indices all lie inside their arrays, or
// are rejected with a reason and empty arrays; the last byte's low bit picks
// the noised variant. Sanitizers catch any stray read.
#include <cstdint>
#include <cstdlib>

#include "scene/geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool noised = size > 0 && (data[size - 1] & 1) != 0;
  GeometryData g;
  const char* failure = nullptr;
  if (!DecodeGeometry(data, size, noised, &g, &failure)) {
    if (failure == nullptr || !g.vertices.empty() || !g.faceVertices.empty()) std::abort();
    return 0;
  }
  if (g.faceTexCoords.size() != g.faceVertices.size() || g.normals.size() != g.faceVertices.size()) std::abort();
  for (size_t corner = 0; corner < g.faceVertices.size(); ++corner)
    if (g.faceVertices[corner] >= g.vertices.size() || g.faceTexCoords[corner] >= g.texCoords.size() / 2)
      std::abort();
  return 0;
}
