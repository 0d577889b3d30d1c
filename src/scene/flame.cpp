// Flame: the keyword table of `flame` blocks and drawing of the ring, its
// four bands in one triangle strip and its outline.
#include "scene/flame.h"

#include <cmath>

#include "platform/opengl.h"
#include "scene/frame_state.h"

namespace {

constexpr float kSizeBase = 2000.0f;  // `size` is added to this, not multiplied
constexpr float kTwoPi = 6.2831855f;

using FlameRule = KeywordRule<Flame>;

bool ApplySize(Flame& f, BlockContext& block) {
  float value;
  if (!ScanNumber(block, "size %f", &value)) return false;
  f.radius = value + kSizeBase;
  return true;
}

// The parent is kept on the base object; the flame does not follow it.
bool ApplyParent(Flame& f, BlockContext& block) {
  char parentName[kObjectNameSize];
  if (ScanValues(block.reader.line, "parent %s", nullptr, 0, parentName, sizeof parentName) != 1) return false;
  ResolveParent(f, block, parentName);
  return true;
}

// In the order every line is tested; each matching rule applies.
const FlameRule kFlameRules[] = {
    {"texture", [](Flame& f, BlockContext& c) { return ApplyTextureLine(f, c, "texture %s"); }},
    {"size", ApplySize},
    {"angle", [](Flame& f, BlockContext& c) { return ScanNumber(c, "angle %f", &f.slope); }},
    {"ell", [](Flame& f, BlockContext& c) { return ScanNumber(c, "ell %f", &f.ellipse); }},
    {"offset", [](Flame& f, BlockContext& c) { return ScanNumber(c, "offset %f", &f.offset); }},
    {"orient", [](Flame& f, BlockContext& c) { return ScanVector(c, "orient V(%f %f %f)", &f.centre); }},
    {"colorfrom", [](Flame& f, BlockContext& c) { return ScanVector(c, "colorfrom V(%f %f %f)", &f.colorFrom); }},
    {"colorto", [](Flame& f, BlockContext& c) { return ScanVector(c, "colorto V(%f %f %f)", &f.colorTo); }},
    {"parent", ApplyParent},
};

// Each band's outer edge: (lift, widen) in units of the band offset.
const float kBands[4][2] = {
    {1.0f, 0.0f},   // up
    {-1.0f, 0.0f},  // down
    {0.0f, -1.0f},  // inwards
    {0.0f, 1.0f},   // outwards
};

}  // namespace

void ParseFlame(SceneReader& reader, ObjectList& list) {
  BlockContext block{reader, list};
  ParseObjectBlock<Flame>(std::make_unique<Flame>(), kFlameRules, block, nullptr);
}

Vector3 Flame::RingPoint(int i, float r) const {
  float theta = float(i) / float(kFlameRingPoints - 1) * kTwoPi;
  float c = std::cos(theta), s = std::sin(theta);
  float ringX = c * radius * ellipse + centre.x;
  return Vector3{c * r * ellipse + centre.x, ringX * slope + centre.y, s * r + centre.z};
}

void Flame::Render(const CameraController&) {
  // GL in: frame defaults. GL out: frame defaults, except the current
  // colour. Drawn in world coordinates with the pass's modelview matrix.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  // The bands share one strip; the joins between them are triangles of
  // zero width (the same angle twice), which draw nothing.
  glBegin(GL_TRIANGLE_STRIP);
  for (const float* band : kBands) EmitBand(band[0], band[1]);
  glEnd();
  DrawOutline();
  RestoreObjectDefaults();
}

void Flame::EmitBand(float lift, float widen) const {
  for (int i = 0; i < kFlameRingPoints; ++i) {
    Vector3 ring = RingPoint(i, radius);
    Vector3 outer = RingPoint(i, radius + widen * offset);
    outer.y += lift * offset;
    glColor4f(colorFrom.x, colorFrom.y, colorFrom.z, 1.0f);
    glVertex3f(ring.x, ring.y, ring.z);
    glColor4f(colorTo.x, colorTo.y, colorTo.z, 0.0f);
    glVertex3f(outer.x, outer.y, outer.z);
  }
}

// Without blending, so it stays opaque whatever the band colours.
void Flame::DrawOutline() const {
  glDisable(GL_BLEND);
  glColor4f(colorFrom.x, colorFrom.y, colorFrom.z, 1.0f);
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i < kFlameRingPoints; ++i) {
    Vector3 p = RingPoint(i, radius);
    glVertex3f(p.x, p.y, p.z);
  }
  glEnd();
}
