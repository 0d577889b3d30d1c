// Billboard: the keyword table of `billboard` blocks, spin and flash timing,
// and drawing in its steps.
#include "scene/billboard.h"

#include <cmath>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"

namespace {

constexpr float kFullTurn = 360.0f;        // degrees
constexpr float kSpinRateScale = 60.0f;    // `rotation` rates are written per 1/60 s
constexpr float kMaxRandomSpinRate = 60.0f;  // degrees per second
constexpr float kFlicker = 0.3f;           // largest random alpha added with a parent

using BillboardRule = KeywordRule<Billboard>;

// Lines apply the values read before the first that fails, and a keyword's
// flag is set when its line applied at least one value.

bool ApplyRotation(Billboard& b, BlockContext& block) {
  float v[2];
  int read = ScanValues(block.reader.line, "rotation %f %f", v, 2);
  if (read > 0) b.spin = v[0];
  if (read > 1) b.spinRate = v[1] * kSpinRateScale;
  return read == 2;
}

// "parent name" without the offset still sets the parent.
bool ApplyParent(Billboard& b, BlockContext& block) {
  float v[3];
  char parentName[kObjectNameSize];
  int read = ScanValues(block.reader.line, "parent %s V(%f %f %f)", v, 3, parentName, sizeof parentName);
  if (read > 0) ResolveParent(b, block, parentName);
  float* const offset[] = {&b.offset.x, &b.offset.y, &b.offset.z};
  for (int i = 0; i + 1 < read; ++i) *offset[i] = v[i];
  return read == 4;
}

bool ApplyEnv(Billboard& b, BlockContext& block) {
  float* const fields[] = {&b.offset.x, &b.offset.y, &b.offset.z};
  int read = ScanFields(block, "env V(%f %f %f)", fields, 3);
  if (read > 0) b.isEnv = true;
  return read == 3;
}

bool ApplyHalo(Billboard& b, BlockContext& block) {
  float* const fields[] = {&b.offset.x, &b.offset.y, &b.offset.z, &b.haloRadius};
  int read = ScanFields(block, "oreol V(%f %f %f) %f", fields, 4);
  if (read > 0) b.halo = true;
  return read == 4;
}

bool ApplyFlash(Billboard& b, BlockContext& block) {
  float* const fields[] = {&b.flashClock, &b.flashOff, &b.flashOn};
  int read = ScanFields(block, "flash %f %f %f)", fields, 3);
  if (read > 0) b.flash = true;
  return read == 3;
}

// `up` and `right` are normalised as they are read; a line that leaves a
// zero vector has no direction and is refused.
bool ScanDirection(BlockContext& block, const char* pattern, Vector3* out) {
  Vector3 v = *out;
  bool complete = ScanVector(block, pattern, &v);
  if (Length(v) == 0.0f) return false;
  *out = Normalize(v);
  return complete;
}

// In the order every line is tested; each matching rule applies.
const BillboardRule kBillboardRules[] = {
    {"size", [](Billboard& b, BlockContext& c) { return ScanNumber(c, "size %f", &b.size); }},
    {"rotation", ApplyRotation},
    {"tiling", [](Billboard& b, BlockContext& c) { return ScanNumber(c, "tiling %f", &b.tiling); }},
    {"parent", ApplyParent},
    {"FOV", [](Billboard& b, BlockContext& c) { return ScanNumber(c, "FOV %f", &b.fov); }},
    {"alpha", [](Billboard& b, BlockContext& c) { return ScanNumber(c, "alpha %f", &b.alpha); }},
    {"orient off", SetFlag<Billboard, &Billboard::fixed>},
    {"blend", SetFlag<Billboard, &Billboard::alphaBlend>},
    {"depth", SetFlag<Billboard, &Billboard::noDepthTest>},
    {"sys", SetFlag<Billboard, &Billboard::satellite>},
    {"env", ApplyEnv},
    {"oreol", ApplyHalo},
    {"flash", ApplyFlash},
    {"texture", [](Billboard& b, BlockContext& c) { return ApplyTextureLine(b, c, "texture %s"); }},
    {"up", [](Billboard& b, BlockContext& c) { return ScanDirection(c, "up V(%f %f %f)", &b.up); }},
    {"right", [](Billboard& b, BlockContext& c) { return ScanDirection(c, "right V(%f %f %f)", &b.right); }},
    {"position", [](Billboard& b, BlockContext& c) { return ScanVector(c, "position V(%f %f %f)", &b.position); }},
    {"color", [](Billboard& b, BlockContext& c) { return ScanVector(c, "color V(%f %f %f)", &b.tint); }},
    {"xy", [](Billboard& b, BlockContext& c) { return ScanNumber(c, "xy %f", &b.aspect); }},
};

}  // namespace

Billboard::Billboard() { spinRate = (1.0f - 2.0f * RandomFraction()) * kMaxRandomSpinRate; }

void ParseBillboard(SceneReader& reader, ObjectList& list) {
  BlockContext block{reader, list};
  ParseObjectBlock(std::make_unique<Billboard>(), kBillboardRules, block);
}

void Billboard::Update(double dt) {
  spin += float(spinRate * dt);
  if (spin > kFullTurn) spin -= kFullTurn;
  if (spin < 0.0f) spin += kFullTurn;
  flashClock += float(dt);
  float cycle = flashOff + flashOn;
  if (flashClock > cycle) flashClock -= cycle;
}

void Billboard::Render(const CameraController& camera) {
  // GL in: frame defaults. GL out: frame defaults, except the bound texture
  // and the current colour; one modelview push/pop, and for `env` one
  // projection push/pop.
  glPushMatrix();
  float drawSize = PlaceAndOrient(camera);
  if (noDepthTest) glDisable(GL_DEPTH_TEST);
  if (satellite && parent != nullptr) OrientSatellite();
  ApplyPosition();
  Vector3 normal = Cross(right, up);
  glRotatef(spin, normal.x, normal.y, normal.z);
  if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
  ApplyDrawState();
  bool hidden = flash && flashClock < flashOff;
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(tiling, tiling, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  if (!hidden) DrawSquare(drawSize);
  if (isEnv) PopEnvProjection();
  glPopMatrix();
  RestoreObjectDefaults();
}

// Position and axes for this frame: steps for env, parent, view alignment
// and halo.
float Billboard::PlaceAndOrient(const CameraController& camera) {
  if (isEnv) {
    position = Add(camera.eye, offset);
    PushEnvProjection(fov, camera.frame);
  }
  // Only the y component of the offset is used, along the viewer's up.
  if (parent != nullptr) position = Add(parent->position, Scale(Normalize(camera.up), offset.y));
  float drawSize = size;
  if (!fixed) {
    // The viewer's right and up axes in world space: the first two rows of
    // the view matrix.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    right = Vector3{m[0], m[4], m[8]};
    up = Vector3{m[1], m[5], m[9]};
  }
  if (halo) PlaceHalo(camera, &drawSize);
  return drawSize;
}

// The plane of the visible outline of a sphere of radius haloRadius centred
// at offset, seen from the eye.
void Billboard::PlaceHalo(const CameraController& camera, float* drawSize) {
  Vector3 d = Subtract(camera.eye, offset);
  float k = haloRadius / Length(d);
  position = Add(offset, Scale(Normalize(d), k * haloRadius));
  right = Normalize(Cross(d, camera.up));
  up = Normalize(Cross(right, d));
  *drawSize = k * size + (1.0f - k * k) * haloRadius;
}

void Billboard::OrientSatellite() {
  if (!fixed) {
    up = Normalize(parent->position);
    right = Normalize(Cross(Vector3{0.0f, 1.0f, 0.0f}, up));
  } else {
    up = Vector3{0.0f, 1.0f, 0.0f};
    right = Normalize(Cross(up, parent->position));
  }
}

void Billboard::ApplyDrawState() {
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  if (halo) glDisable(GL_DEPTH_TEST);
  if (alphaBlend) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_ALWAYS, 0.0f);
  }
  // With a parent the square flickers in its tint; without one the colour
  // line is ignored.
  if (parent != nullptr)
    glColor4f(tint.x, tint.y, tint.z, alpha + kFlicker * RandomFraction());
  else
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
}

// Corners at +-size along the (aspect-stretched) right axis and the up axis.
void Billboard::DrawSquare(float drawSize) {
  Vector3 w = Scale(right, aspect);
  Vector3 p1 = Scale(Subtract(Negate(w), up), drawSize);
  Vector3 p2 = Scale(Subtract(w, up), drawSize);
  Vector3 p3 = Scale(Add(Negate(w), up), drawSize);
  Vector3 p4 = Scale(Add(w, up), drawSize);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(p1.x, p1.y, p1.z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(p2.x, p2.y, p2.z);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(p3.x, p3.y, p3.z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(p4.x, p4.y, p4.z);
  glEnd();
}
