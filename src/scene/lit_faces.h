// The faces of a sphere mesh that one light can reach. A layer whose colour
// comes from a single light and is added to the picture (the city lights of
// `night`, the sun's `glint`) adds exactly nothing with a face whose every
// corner is lit black: left out, such a face leaves the same picture and
// saves llvmpipe its pixels. LitFaces keeps the corners of a mesh as vertex
// arrays and, each frame, draws only the faces that have a corner turned
// towards the light by more than a given cosine.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/geometry.h"

// Cosine allowance between the test here and OpenGL's own lighting of the
// same corner (both in single precision, a few units in 1e-7 apart): a face
// within it of the threshold is drawn, so that a face lit even slightly is
// never left out.
constexpr float kLitFacesMargin = 1e-3f;

class LitFaces {
 public:
  // Takes the corners of geometry, drawn as its display list listId draws
  // them (per corner: normal, texture coordinate, vertex).
  void Build(const GeometryData& geometry, uint32_t listId);
  // The display list this mirrors; 0 before Build.
  uint32_t ListId() const { return listId_; }

  // With the modelview matrix as the list would be drawn under (a rotation,
  // a uniform scale and a translation, as Sphere::Render builds it): draws
  // the faces with at least one corner whose normal makes a cosine of
  // minCosine - kLitFacesMargin or more with the direction from the corner
  // to GL_LIGHT0 + light (its position as OpenGL holds it, in eye space).
  void DrawFacing(int light, float minCosine);

 private:
  bool FaceReaches(size_t face, Vector3 light, bool positional, float minCosine) const;

  uint32_t listId_ = 0;
  std::vector<Vector3> positions_;   // per corner, object space
  std::vector<Vector3> normals_;     // per corner, as the list gives them
  std::vector<float> texCoords_;     // s, t per corner
  std::vector<uint32_t> drawn_;      // corner indices of this frame's faces
};
