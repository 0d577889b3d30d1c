// Billboard: the keyword table of `billboard` blocks, spin and flash timing,
// and drawing in its steps.
#include "scene/billboard.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "image/texture_manager.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"

namespace {

constexpr float kFullTurn = 360.0f;        // degrees
constexpr float kSpinRateScale = 60.0f;    // `rotation` rates are written per 1/60 s
constexpr float kMaxRandomSpinRate = 60.0f;  // degrees per second
constexpr float kFlicker = 0.3f;           // largest random alpha added with a parent

constexpr float kLodSlack = 0.5f;          // mipmap levels; renderers may estimate the level up to
                                           // sqrt(2) high (|du| + |dv| in place of the length)

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

// The texture coordinate v of the first row of a band (BandCount(): 1).
float BandV(const TexelSpans& spans, int band) { return float(spans.BandFirstRow(band)) / float(spans.Height()); }

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
  TexelSpans* spans = tiling == 1.0f ? BoundTexelSpans() : nullptr;
  LevelsPerBand levels;
  if (spans != nullptr && BandLevels(*spans, drawSize, w, &levels) &&
      SpansShare(*spans, levels) <= TexelSpans::kMaxSpansShare) {
    DrawSpans(*spans, drawSize, w, levels);
    return;
  }
  glBegin(GL_TRIANGLE_STRIP);
  SquareVertex(w, up, drawSize, 0.0f, 0.0f);
  SquareVertex(w, up, drawSize, 1.0f, 0.0f);
  SquareVertex(w, up, drawSize, 0.0f, 1.0f);
  SquareVertex(w, up, drawSize, 1.0f, 1.0f);
  glEnd();
}

// The map of the bound texture (the billboard's own, or the one the object
// before it left bound), kept with its entry in the texture list; null when
// texturing is off or the texture has none.
TexelSpans* Billboard::BoundTexelSpans() const {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  if (bound == 0 || !glIsEnabled(GL_TEXTURE_2D)) return nullptr;
  Texture* texture = FindTextureByGlName(textureManager, uint32_t(bound));
  return texture != nullptr && texture->texelSpans.Built() ? &texture->texelSpans : nullptr;
}

// Per band of the texture, the mipmap levels (1 = level 0 only) a fetch in
// it may read, from the band's least pixel density: the screen's pixels per
// unit of tangent x the distance of the square's plane / the squared
// distance of the band's farthest point in view (a corner of the band, or
// where a corner ray of the view meets the plane) bounds the pixels per
// world unit at every point of the band shown. False when a band reaches
// too many levels or there is no bound (not a perspective view, edge-on).
bool Billboard::BandLevels(const TexelSpans& spans, float drawSize, const Vector3& w, LevelsPerBand* levels) const {
  GLfloat modelview[16], projection[16];
  GLint viewport[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (projection[11] == 0.0f) return false;
  // The eye-space point of the square with texture coordinates (u, v).
  auto at = [&](float u, float v) {
    return Transform(modelview, Scale(Add(Scale(w, 2.0f * u - 1.0f), Scale(up, 2.0f * v - 1.0f)), drawSize));
  };
  const Vector3 origin = at(0.0f, 0.0f);
  const Vector3 alongU = Subtract(at(1.0f, 0.0f), origin), alongV = Subtract(at(0.0f, 1.0f), origin);
  const Vector3 across = Cross(alongU, alongV);
  if (!(Length(across) > 0.0f)) return false;
  Vector3 normal = Normalize(across);
  if (Dot(normal, origin) < 0.0f) normal = Negate(normal);
  const float planeDistance = Dot(normal, origin);
  const float farthestInView = FarthestInViewSquared(projection, normal, planeDistance);
  const float pixelsPerTangent = std::min(0.5f * float(viewport[2]) * std::fabs(projection[0]),
                                          0.5f * float(viewport[3]) * std::fabs(projection[5]));
  const float texelsPerUnit = std::max(float(spans.Width()) / Length(alongU),
                                       float(spans.Height()) / Length(alongV));
  if (!(pixelsPerTangent * planeDistance > 0.0f) || !std::isfinite(texelsPerUnit)) return false;
  for (int band = 0; band < spans.BandCount(); ++band) {
    const float v0 = BandV(spans, band), v1 = BandV(spans, band + 1);
    float farthest = 0.0f;  // squared distance of the band's farthest corner
    for (float u : {0.0f, 1.0f}) {
      for (float v : {v0, v1}) {
        const Vector3 corner = at(u, v);
        farthest = std::max(farthest, Dot(corner, corner));
      }
    }
    farthest = std::min(farthest, farthestInView);
    const float lod = std::log2(texelsPerUnit * farthest / (pixelsPerTangent * planeDistance)) + kLodSlack;
    const int bandLevels = lod <= 0.0f ? 1 : int(std::floor(lod)) + 2;
    if (bandLevels > TexelSpans::kMaxMipLevels) return false;
    (*levels)[size_t(band)] = bandLevels;
  }
  return true;
}

// The share of the square the spans for these levels cover, 0..1.
float Billboard::SpansShare(TexelSpans& spans, const LevelsPerBand& levels) const {
  double texels = 0.0;
  for (int band = 0; band < spans.BandCount(); ++band)
    for (const TexelSpan& span : spans.Spans(band, levels[size_t(band)], !alphaBlend))
      texels += double(span.end - span.begin) * double(spans.BandFirstRow(band + 1) - spans.BandFirstRow(band));
  return float(texels / (double(spans.Width()) * double(spans.Height())));
}

// The square over the spans of its texture's bands: each span a strip of
// triangles between its top edge, cut where the band above has span ends,
// and its bottom edge, cut where the band below has them.
void Billboard::DrawSpans(TexelSpans& spans, float drawSize, const Vector3& w, const LevelsPerBand& levels) {
  static const std::vector<TexelSpan> kNone;
  const float texelU = 1.0f / float(spans.Width());
  const int bands = spans.BandCount();
  auto spansOf = [&](int band) -> const std::vector<TexelSpan>& {
    return band >= 0 && band < bands ? spans.Spans(band, levels[size_t(band)], !alphaBlend) : kNone;
  };
  std::vector<int>& top = topCuts;
  std::vector<int>& bottom = bottomCuts;
  glBegin(GL_TRIANGLES);
  for (int band = 0; band < bands; ++band) {
    const float v0 = BandV(spans, band), v1 = BandV(spans, band + 1);
    for (const TexelSpan& span : spansOf(band)) {
      TexelSpans::EdgeCuts(span, spansOf(band - 1), &top);
      TexelSpans::EdgeCuts(span, spansOf(band + 1), &bottom);
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
