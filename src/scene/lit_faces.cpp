// The faces of a sphere mesh that one light can reach, drawn as vertex arrays.
#include "scene/lit_faces.h"

#include <cmath>

#include "platform/opengl.h"

namespace {

Vector3 Column(const GLfloat* m, int column) { return Vector3{m[4 * column], m[4 * column + 1], m[4 * column + 2]}; }

// The light's position (positional) or direction (not) in the object space
// of the modelview matrix m, a rotation times a uniform scale plus a
// translation: its inverse is the transpose over the squared scale.
Vector3 LightInObjectSpace(const GLfloat* m, const GLfloat* light, bool positional) {
  Vector3 v{light[0], light[1], light[2]};
  float inverseScale = 1.0f;
  if (positional) {
    v = Subtract(Divide(v, light[3]), Column(m, 3));
    inverseScale = 1.0f / Dot(Column(m, 0), Column(m, 0));
  }
  return Scale(inverseScale, Vector3{Dot(Column(m, 0), v), Dot(Column(m, 1), v), Dot(Column(m, 2), v)});
}

}  // namespace

void LitFaces::Build(const GeometryData& geometry, uint32_t listId) {
  listId_ = listId;
  const size_t corners = geometry.faceVertices.size();
  positions_.resize(corners);
  normals_.assign(geometry.normals.begin(), geometry.normals.end());
  texCoords_.resize(2 * corners);
  for (size_t corner = 0; corner < corners; ++corner) {
    positions_[corner] = geometry.vertices[geometry.faceVertices[corner]];
    const float* st = &geometry.texCoords[size_t(geometry.faceTexCoords[corner]) * 2];
    texCoords_[2 * corner] = st[0];
    texCoords_[2 * corner + 1] = st[1];
  }
  drawn_.reserve(corners);
}

// A NaN cosine (the light at a corner) counts as reaching it.
bool LitFaces::FaceReaches(size_t face, Vector3 light, bool positional, float minCosine) const {
  for (size_t corner = 3 * face; corner < 3 * face + 3; ++corner) {
    const Vector3& n = normals_[corner];
    Vector3 toLight = positional ? Subtract(light, positions_[corner]) : light;
    float cosine = Dot(n, toLight) / (Length(n) * Length(toLight));
    if (!(cosine < minCosine)) return true;
  }
  return false;
}

void LitFaces::DrawFacing(int light, float minCosine) {
  GLfloat modelview[16], position[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glGetLightfv(GLenum(GL_LIGHT0 + light), GL_POSITION, position);
  const bool positional = position[3] != 0.0f;
  const Vector3 objectLight = LightInObjectSpace(modelview, position, positional);
  drawn_.clear();
  for (size_t face = 0; face < positions_.size() / 3; ++face) {
    if (!FaceReaches(face, objectLight, positional, minCosine - kLitFacesMargin)) continue;
    for (uint32_t corner = uint32_t(3 * face); corner < 3 * face + 3; ++corner) drawn_.push_back(corner);
  }
  if (drawn_.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(Vector3), positions_.data());
  glNormalPointer(GL_FLOAT, sizeof(Vector3), normals_.data());
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
  glDrawElements(GL_TRIANGLES, GLsizei(drawn_.size()), GL_UNSIGNED_INT, drawn_.data());
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
