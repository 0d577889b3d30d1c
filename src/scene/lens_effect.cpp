// The lens effect's layout (ghost table, accumulating turn of the offset
// direction) and its drawing in the pixel overlay space.
#include "scene/lens_effect.h"

#include "overlay/overlay_space.h"
#include "platform/opengl.h"
#include "scene/effect_math.h"

const LensGhost kLensGhosts[kLensGhostCount] = {
    // dist, sizeFactor, texSlot
    {-0.08f, 1.0f, 1}, {0.21f, 0.1f, 1}, {0.32f, 0.5f, 1},  {0.7f, 0.1f, 1},   {0.85f, 0.2f, 1},
    {0.89f, 0.12f, 1}, {1.21f, 0.05f, 1}, {1.39f, 0.2f, 1}, {1.44f, 0.4f, 1},  {1.8f, 1.3f, 1},
    {-0.3f, 0.5f, 1},  {0.6f, 0.2f, 1},  {0.4f, 0.4f, 1},   {0.75f, 0.1f, 1},  {0.8f, 0.2f, 1},
    {0.49f, 0.12f, 1}, {1.11f, 0.05f, 1}, {1.9f, 0.2f, 1},  {0.44f, 0.4f, 1},  {0.83f, 1.3f, 1},
    {-0.13f, 0.5f, 0}, {0.16f, 0.2f, 0}, {0.55f, 0.4f, 0},
};

namespace {

constexpr float kStreakHalfLength = 200.0f;  // pixels, before the streak's own scale
constexpr float kGhostScale = 1.5f;
constexpr float kQuarterTurn = 90.0f;        // degrees
constexpr float kGhostAlpha = 0.29f;
constexpr int kStreakSlot = 2;
const Vector3 kScreenNormal = {0.0f, 0.0f, 1.0f};

struct Streak {
  float along;      // position on the axis, in units of its length from the flare
  float scale;
  float r, g, b, a;
  bool mirrored;    // corners turned half a turn
};

const Streak kStreaks[] = {
    {-0.1f, 2.2f, 1.0f, 0.7f, 0.5f, 0.27f, false},
    {0.5f, 1.2f, 1.0f, 0.3f, 0.3f, 0.7f, false},
    {1.7f, 2.8f, 0.4f, 0.3f, 0.9f, 0.25f, true},
};

// The streak quad: half length along the axis (c) and across it (b).
void DrawStreakQuad(Vector3 b, Vector3 c, bool mirrored) {
  float k = mirrored ? -1.0f : 1.0f;
  const Vector3 corners[4] = {Subtract(Negate(b), c), Subtract(b, c), Add(Negate(b), c), Add(b, c)};
  const float texCoords[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(texCoords[i][0], texCoords[i][1]);
    glVertex2f(k * corners[i].x, k * corners[i].y);
  }
  glEnd();
}

void DrawStreaks(const LensLayout& layout, uint32_t texture) {
  Vector3 direction = DirectionOrZero(layout.axis);
  Vector3 c = Scale(direction, kStreakHalfLength);
  Vector3 b = Scale(Cross(direction, kScreenNormal), kStreakHalfLength);
  glBindTexture(GL_TEXTURE_2D, texture);
  for (const Streak& streak : kStreaks) {
    Vector3 at = Add(layout.flareScreen, Scale(layout.axis, streak.along));
    glLoadIdentity();
    glTranslatef(at.x, at.y, 0.0f);
    glScalef(streak.scale, streak.scale, 1.0f);
    glColor4f(streak.r, streak.g, streak.b, streak.a);
    DrawStreakQuad(b, c, streak.mirrored);
  }
}

// Red rises and blue falls with the ghost's index; blue goes below 0 from
// ghost 11 on and OpenGL clamps it.
void DrawGhost(int i, Vector3 centre, float halfSize, float turn, uint32_t texture) {
  glLoadIdentity();
  glTranslatef(centre.x, centre.y, 0.0f);
  glScalef(kGhostScale, kGhostScale, 1.0f);
  if (turn != 0.0f) glRotatef(turn, 0.0f, 0.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor4f(float(i) / 30.0f + 0.3f, 0.2f, 1.0f - float(i) / 10.0f, kGhostAlpha);
  DrawCenteredQuad(0.0f, 0.0f, halfSize, halfSize);
}

}  // namespace

bool LayOutLensEffect(Vector3 flareScreen, Vector3 centre, LensLayout* layout) {
  Vector3 axis = Subtract(centre, flareScreen);
  if (Length(axis) == 0.0f) return false;
  layout->flareScreen = flareScreen;
  layout->axis = axis;
  // Both taken from the window's lower-left corner.
  layout->ringDot = Dot(DirectionOrZero(flareScreen), DirectionOrZero(centre));
  // The offset direction starts pointing from the centre to the flare and
  // turns further with every ghost.
  Vector3 offset = Normalize(Subtract(flareScreen, centre));
  for (int i = 0; i < kLensGhostCount; ++i) {
    float dist = kLensGhosts[i].dist;
    RotateAboutAxis(offset, kScreenNormal, kQuarterTurn * layout->ringDot * dist);
    Vector3 onAxis = Add(flareScreen, Scale(axis, dist));
    layout->ghostCentre[i] = Add(onAxis, Scale(offset, 2.0f * (2.0f - dist)));
  }
  return true;
}

void DrawLensEffect(FrameSize frame, const LensLayout& layout, float lensSize,
                    const uint32_t (&lensTextures)[kLensTextureSlots], bool hasOrient) {
  BeginPixelOverlay(frame);
  DrawStreaks(layout, lensTextures[kStreakSlot]);
  float turn = hasOrient ? kQuarterTurn * layout.ringDot : 0.0f;
  for (int i = 0; i < kLensGhostCount; ++i) {
    const LensGhost& ghost = kLensGhosts[i];
    DrawGhost(i, layout.ghostCentre[i], lensSize * ghost.sizeFactor, turn, lensTextures[ghost.texSlot]);
  }
  EndPixelOverlay();
}
