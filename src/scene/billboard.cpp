// Billboard: the keyword table of `billboard` blocks, spin and flash timing,
// and drawing in its steps.
#include "scene/billboard.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"

namespace {

constexpr float kFullTurn = 360.0f;        // degrees
constexpr float kSpinRateScale = 60.0f;    // `rotation` rates are written per 1/60 s
constexpr float kMaxRandomSpinRate = 60.0f;  // degrees per second
constexpr float kFlicker = 0.3f;           // largest random alpha added with a parent

constexpr float kLodSlack = 0.5f;          // mipmap levels; renderers may estimate the level up to
                                           // sqrt(2) high (|du| + |dv| in place of the length)

constexpr float kMaxSpansShare = 0.5f;     // of the square; spans covering more cost more than the
                                           // whole square (thin bands rasterise slower per pixel)

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

// The point of the square with texture coordinates (u, v), each 0..1, at
// ((2u - 1) w + (2v - 1) up) * drawSize.
void SquareVertex(const Vector3& w, const Vector3& up, float drawSize, float u, float v) {
  Vector3 p = Scale(Add(Scale(w, 2.0f * u - 1.0f), Scale(up, 2.0f * v - 1.0f)), drawSize);
  glTexCoord2f(u, v);
  glVertex3f(p.x, p.y, p.z);
}

// A point through a column-order matrix (w = 1).
Vector3 Transform(const GLfloat m[16], Vector3 p) {
  return Vector3{m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                 m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

// The farthest point, squared distance from the eye, where the view
// frustum's four corner rays meet the plane Dot(normal, p) = planeDistance
// (normal a unit vector, planeDistance > 0): every point of the plane that
// is in view lies inside those four. Infinite when a ray misses the plane.
float FarthestInViewSquared(const GLfloat projection[16], Vector3 normal, float planeDistance) {
  float farthest = 0.0f;
  for (float x : {-1.0f, 1.0f}) {
    for (float y : {-1.0f, 1.0f}) {
      const Vector3 ray{(x + projection[8]) / projection[0], (y + projection[9]) / projection[5], -1.0f};
      const float toward = Dot(normal, ray);
      if (!(toward > 0.0f)) return INFINITY;
      const float reach = planeDistance / toward;  // in ray lengths
      farthest = std::max(farthest, reach * reach * Dot(ray, ray));
    }
  }
  return farthest;
}

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
// A square with one copy of its texture is drawn over its visible texels
// only, when the bound texture's map and the mipmap levels it reaches allow.
void Billboard::DrawSquare(float drawSize) {
  Vector3 w = Scale(right, aspect);
  const int levels = tiling == 1.0f && ReadTexelSpans() ? MipLevelsReached(drawSize, w) : 0;
  if (levels > 0 && texelSpans.Share(levels) <= kMaxSpansShare) {
    DrawSpans(drawSize, w, levels);
    return;
  }
  glBegin(GL_TRIANGLE_STRIP);
  SquareVertex(w, up, drawSize, 0.0f, 0.0f);
  SquareVertex(w, up, drawSize, 1.0f, 0.0f);
  SquareVertex(w, up, drawSize, 0.0f, 1.0f);
  SquareVertex(w, up, drawSize, 1.0f, 1.0f);
  glEnd();
}

// Reads the bound texture's level 0 back and maps its visible texels, once
// per texture; false when texturing is off or the size is out of range.
bool Billboard::ReadTexelSpans() {
  GLint bound = 0, width = 0, height = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  if (bound == 0 || !glIsEnabled(GL_TEXTURE_2D)) return false;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (uint32_t(bound) == spansTexture && width == texelSpans.Width() && height == texelSpans.Height()) return true;
  spansTexture = 0;
  if (width <= 0 || height <= 0 || width > TexelSpans::kMaxSide || height > TexelSpans::kMaxSide) return false;
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  texelSpans.Build(rgba.data(), width, height, !alphaBlend);
  spansTexture = uint32_t(bound);
  return true;
}

// The mipmap levels (1 = level 0 only) a fetch anywhere on the square may
// read, from its least pixel density: the screen's pixels per unit of
// tangent x the distance of the square's plane / the squared distance of
// its farthest point in view (a corner, or where a corner ray of the view
// meets its plane) bounds the pixels per world unit at every point shown.
// 0: too many levels, or no bound (not a perspective view, seen edge-on).
int Billboard::MipLevelsReached(float drawSize, const Vector3& w) const {
  GLfloat modelview[16], projection[16];
  GLint viewport[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (projection[11] == 0.0f) return 0;
  const Vector3 corner00 = Transform(modelview, Scale(Add(Negate(w), Negate(up)), drawSize));
  const Vector3 corner10 = Transform(modelview, Scale(Subtract(w, up), drawSize));
  const Vector3 corner01 = Transform(modelview, Scale(Subtract(up, w), drawSize));
  const Vector3 corner11 = Transform(modelview, Scale(Add(w, up), drawSize));
  const Vector3 alongU = Subtract(corner10, corner00), alongV = Subtract(corner01, corner00);
  const Vector3 across = Cross(alongU, alongV);
  if (!(Length(across) > 0.0f)) return 0;
  Vector3 normal = Normalize(across);
  if (Dot(normal, corner00) < 0.0f) normal = Negate(normal);
  const float planeDistance = Dot(normal, corner00);
  const float farthestCorner = std::max(std::max(Dot(corner00, corner00), Dot(corner10, corner10)),
                                        std::max(Dot(corner01, corner01), Dot(corner11, corner11)));
  const float farthest = std::min(farthestCorner, FarthestInViewSquared(projection, normal, planeDistance));
  const float pixelsPerTangent = std::min(0.5f * float(viewport[2]) * std::fabs(projection[0]),
                                          0.5f * float(viewport[3]) * std::fabs(projection[5]));
  const float pixelsPerUnit = pixelsPerTangent * planeDistance / farthest;
  const float texelsPerUnit = std::max(float(texelSpans.Width()) / Length(alongU),
                                       float(texelSpans.Height()) / Length(alongV));
  if (!(pixelsPerUnit > 0.0f) || !std::isfinite(texelsPerUnit)) return 0;
  const float lod = std::log2(texelsPerUnit / pixelsPerUnit) + kLodSlack;
  const int levels = lod <= 0.0f ? 1 : int(std::floor(lod)) + 2;
  return levels <= TexelSpans::kMaxMipLevels ? levels : 0;
}

// The square over the spans of its texture's bands: each span a strip of
// triangles between its top edge, cut where the band above has span ends,
// and its bottom edge, cut where the band below has them.
void Billboard::DrawSpans(float drawSize, const Vector3& w, int levels) {
  static const std::vector<TexelSpan> kNone;
  const float texelU = 1.0f / float(texelSpans.Width()), texelV = 1.0f / float(texelSpans.Height());
  const int bands = texelSpans.BandCount();
  glBegin(GL_TRIANGLES);
  for (int band = 0; band < bands; ++band) {
    const float v0 = float(band * TexelSpans::kBandRows) * texelV;
    const float v1 = float(std::min(texelSpans.Height(), (band + 1) * TexelSpans::kBandRows)) * texelV;
    const std::vector<TexelSpan>& above = band > 0 ? texelSpans.Spans(band - 1, levels) : kNone;
    const std::vector<TexelSpan>& below = band + 1 < bands ? texelSpans.Spans(band + 1, levels) : kNone;
    for (const TexelSpan& span : texelSpans.Spans(band, levels)) {
      const std::vector<int> top = TexelSpans::EdgeCuts(span, above);
      const std::vector<int> bottom = TexelSpans::EdgeCuts(span, below);
      // Zip the two edges left to right: each triangle advances one of them.
      size_t t = 0, b = 0;
      while (t + 1 < top.size() || b + 1 < bottom.size()) {
        const bool advanceTop = b + 1 == bottom.size() || (t + 1 < top.size() && top[t + 1] <= bottom[b + 1]);
        SquareVertex(w, up, drawSize, float(top[t]) * texelU, v0);
        SquareVertex(w, up, drawSize, float(bottom[b]) * texelU, v1);
        if (advanceTop)
          SquareVertex(w, up, drawSize, float(top[++t]) * texelU, v0);
        else
          SquareVertex(w, up, drawSize, float(bottom[++b]) * texelU, v1);
      }
    }
  }
  glEnd();
}
