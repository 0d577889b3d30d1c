// Mesh: the keyword table of `mesh` blocks with its positional material
// lines, and drawing in its steps.
#include "scene/mesh.h"

#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene/geometry.h"

namespace {

using MeshRule = KeywordRule<Mesh>;

bool ApplyOrient(Mesh& m, BlockContext& block) {
  float* const fields[] = {&m.orientAxis.x, &m.orientAxis.y, &m.orientAxis.z, &m.orientAngle};
  return ScanFields(block, "orient V(%f %f %f) %f", fields, 4) == 4;
}

// One material line: tested only against the keyword of its position.
// Returns whether it matched; false also when the member has ended.
bool ReadMaterialLine(BlockContext& block, const char* keyword, int number, Mesh& m) {
  if (!block.reader.Next()) return false;
  if (MatchKeyword(block.reader.line, keyword)) return true;
  if (number > 1) block.reader.Report("material line " + std::to_string(number) + " is not \"" +
                                      std::string(keyword + 1) + "\"; ignored", &m);
  return false;
}

// The four lines after `material`, read whatever they hold: "\tmetal",
// "\tchrome" (no effect), "\tmap1 name" (the texture), "\tmap2 name" (no
// effect). A line out of its place counts as nothing; a "\tmap1" without a
// name sets no texture and still leaves the fourth line to the material.
bool ApplyMaterial(Mesh& m, BlockContext& block) {
  m.metal = ReadMaterialLine(block, "\tmetal", 1, m);
  ReadMaterialLine(block, "\tchrome", 2, m);
  if (ReadMaterialLine(block, "\tmap1", 3, m) && !ApplyTextureLine(m, block, "\tmap1 %s"))
    block.reader.Report("material map1 line without a texture name", &m);
  ReadMaterialLine(block, "\tmap2", 4, m);
  return true;
}

bool Accept(Mesh&, BlockContext&) { return true; }

// In the order every line is tested; each matching rule applies.
const MeshRule kMeshRules[] = {
    {"orient", ApplyOrient},
    {"position", [](Mesh& m, BlockContext& c) { return ScanVector(c, "position V(%f %f %f)", &m.position); }},
    {"look", [](Mesh& m, BlockContext& c) { return ScanVector(c, "look V(%f %f %f)", &m.look); }},
    {"right", [](Mesh& m, BlockContext& c) { return ScanVector(c, "right V(%f %f %f)", &m.right); }},
    {"material", ApplyMaterial},
    {"scale", [](Mesh& m, BlockContext& c) { return ScanNumber(c, "scale %f", &m.scale); }},
    {"speed", Accept},
    {"tiling", Accept},
    {"light", SetFlag<Mesh, &Mesh::additiveTexture>},
    {"illum", SetFlag<Mesh, &Mesh::unlit>},
    {"invup", Accept},
    {"blend", SetFlag<Mesh, &Mesh::blend>},
    {"color", [](Mesh& m, BlockContext& c) { return ScanVector(c, "color V(%f %f %f)", &m.color); }},
};

void OnMeshBegin(Mesh& m, const char* line) {
  ScanValues(line, "begin %s", nullptr, 0, m.name, sizeof m.name);
  m.listId = GeometryList(GeometrySlot::kCustom);
}

}  // namespace

void ParseMesh(SceneReader& reader, ObjectList& list) {
  BlockContext block{reader, list};
  ParseObjectBlock(std::make_unique<Mesh>(), kMeshRules, block, OnMeshBegin);
}

void Mesh::Render(const CameraController&) {
  // GL in: frame defaults. GL out: frame defaults, except the bound texture
  // and the current colour; one modelview push/pop.
  glPushMatrix();
  ApplyPosition();
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  ApplyBasis();
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
  glDepthMask(GL_FALSE);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, additiveTexture ? GL_ADD : GL_MODULATE);
  if (unlit) glDisable(GL_LIGHTING);
  ApplyMaterial();
  if (blend) {
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, color.x);  // the first colour component is the alpha
  }
  glCallList(listId);
  glPopMatrix();
  RestoreObjectDefaults();
}

// The model's x axis follows look, its y axis right; then the orientation
// and the scale.
void Mesh::ApplyBasis() const {
  Vector3 z = Cross(look, right);
  const GLfloat m[16] = {look.x, look.y, look.z, 0.0f, right.x, right.y, right.z, 0.0f,
                         z.x,    z.y,    z.z,    0.0f, 0.0f,    0.0f,    0.0f,    1.0f};
  glMultMatrixf(m);
  glRotatef(orientAngle, orientAxis.x, orientAxis.y, orientAxis.z);
  glScalef(scale, scale, scale);
}

void Mesh::ApplyMaterial() const {
  if (!metal) return;
  const GLfloat highlight[4] = {0.4f, 0.4f, 0.4f, 1.0f};
  glDisable(GL_COLOR_MATERIAL);
  glMaterialfv(GL_FRONT, GL_SPECULAR, highlight);
  glMaterialf(GL_FRONT, GL_SHININESS, 19.6f);
  glEnable(GL_LIGHT0);
}
