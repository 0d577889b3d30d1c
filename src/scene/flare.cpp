// Flare: the keyword table of `flare` blocks with the positional lens-effect
// lines, the fade, turn and flicker of Update, and drawing in its steps
// (place, project, depth test, sprite, lens effect).
//
// [SECTION] parsing
// [SECTION] update
// [SECTION] render
#include "scene/flare.h"

#include <string>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "image/texture_manager.h"
#include "overlay/overlay_space.h"
#include "platform/opengl.h"
#include "scene/effect_math.h"
#include "scene/frame_state.h"

namespace {

constexpr float kReferenceHeight = 600.0f;  // pixel sizes in the files are for an 800 x 600 screen
constexpr float kRateScale = 60.0f;        // fade and turn rates are written per 1/60 s
constexpr float kFullTurn = 360.0f;        // degrees
constexpr float kQuarterTurn = 90.0f;      // degrees
constexpr double kFlickerClockRate = 6.0;  // flicker clock units per second
constexpr double kFlickerRise = 0.7;       // level per second outside the falling phase
constexpr double kBehindCameraDepth = 1000.0;  // beyond any depth value: never visible

// [SECTION] parsing

using FlareRule = KeywordRule<Flare>;

// Pixels of the frame per pixel of the reference screen. The height sets it:
// the vertical field of view is the same on every frame, so a flare keeps
// its size against the scene on a wider one (on 4:3 this is Width / 800).
float ScreenScale(FrameSize frame) { return float(frame.height) / kReferenceHeight; }

bool ApplyFocus(Flare& f, BlockContext& block) {
  if (!ScanNumber(block, "focus %f)", &f.focus)) return false;
  f.hasFocus = true;
  return true;
}

// Lines apply the values read before the first that fails, and a keyword's
// flag is set when its line applied at least one value. "parent name"
// without the offset still sets the parent.
bool ApplyParent(Flare& f, BlockContext& block) {
  float v[3];
  char parentName[kObjectNameSize];
  int read = ScanValues(block.reader.line, "parent %s V(%f %f %f)", v, 3, parentName, sizeof parentName);
  if (read > 0) {
    f.flareParent = FindObject(block.list, parentName);
    if (f.flareParent == nullptr)
      block.reader.Report(std::string("parent not found earlier in this file: ") + parentName, &f);
  }
  float* const offset[] = {&f.envOffset.x, &f.envOffset.y, &f.envOffset.z};
  for (int i = 0; i + 1 < read; ++i) *offset[i] = v[i];
  return read == 4;
}

// The first number is written in the files but means nothing.
bool ApplyAlpha(Flare& f, BlockContext& block) {
  float v[3];
  int read = ScanValues(block.reader.line, "alpha %f fade: %f %f", v, 3);
  if (read > 1) f.fadeInRate = v[1] * kRateScale;
  if (read > 2) f.fadeOutRate = v[2] * kRateScale;
  return read == 3;
}

bool ApplyEnv(Flare& f, BlockContext& block) {
  float* const fields[] = {&f.envOffset.x, &f.envOffset.y, &f.envOffset.z};
  int read = ScanFields(block, "env V(%f %f %f)", fields, 3);
  if (read > 0) f.isEnv = true;
  return read == 3;
}

bool ApplyRotation(Flare& f, BlockContext& block) {
  float v[2];
  int read = ScanValues(block.reader.line, "rotation %f %f", v, 2);
  if (read > 0) f.rotationAngle = v[0];
  if (read > 1) f.rotationSpeed = v[1] * kRateScale;
  return read == 2;
}

bool ApplyOrient(Flare& f, BlockContext& block) {
  float* const fields[] = {&f.orientPoint.x, &f.orientPoint.y, &f.orientPoint.z};
  int read = ScanFields(block, "orient V(%f %f %f)", fields, 3);
  if (read > 0) f.hasOrient = true;
  return read == 3;
}

// Next line of the lens-effect block. False at the end of the member, and
// at an "end" line, which is left current so that it still closes the
// flare block (a shortened lens effect must not swallow the next block).
bool NextLensLine(Flare& f, BlockContext& block) {
  SceneReader& reader = block.reader;
  if (!reader.Next()) return false;
  if (!MatchKeyword(reader.line, "end")) return true;
  reader.Report("lens effect ends before its four lines", &f);
  return false;
}

void ReadLensTexture(Flare& f, BlockContext& block, int slot) {
  char textureName[kLineCapacity];
  if (ScanValues(block.reader.line, "\ttexture %s", nullptr, 0, textureName, sizeof textureName) != 1) {
    block.reader.Report("lens texture line not readable: \"" + std::string(block.reader.line) + "\"", &f);
    return;
  }
  if (TexturePathCarriesAlpha(textureName)) f.alphaTexture = true;
  const Texture* texture = FindTexture(textureManager, textureName);
  if (texture != nullptr)
    f.lensTextures[slot] = texture->glName;
  else
    block.reader.Report(std::string("texture not in the texture list: ") + textureName, &f);
}

// "lenseffect" is followed by four lines taken by position, whatever they
// hold: "\tsize %f", then three "\ttexture %s" for slots 0, 1 and 2.
bool ApplyLensEffect(Flare& f, BlockContext& block) {
  f.hasLensEffect = true;
  if (!NextLensLine(f, block)) return true;
  if (!ScanNumber(block, "\tsize %f", &f.lensSize))
    block.reader.Report("lens size line not readable: \"" + std::string(block.reader.line) + "\"", &f);
  for (int slot = 0; slot < kLensTextureSlots; ++slot) {
    if (!NextLensLine(f, block)) return true;
    ReadLensTexture(f, block, slot);
  }
  return true;
}

// In the order every line is tested; each matching rule applies.
const FlareRule kFlareRules[] = {
    {"size", [](Flare& f, BlockContext& c) { return ScanNumber(c, "size %f", &f.size); }},
    {"flash", [](Flare& f, BlockContext& c) { return ScanNumber(c, "flash %f)", &f.flickerAmplitude); }},
    {"lumin", [](Flare& f, BlockContext& c) { return ScanNumber(c, "lumin %f)", &f.lumin); }},
    {"focus", ApplyFocus},
    {"parent", ApplyParent},
    {"FOV", [](Flare& f, BlockContext& c) { return ScanNumber(c, "FOV %f", &f.fov); }},
    {"alpha", ApplyAlpha},
    {"env", ApplyEnv},
    {"texture", [](Flare& f, BlockContext& c) { return ApplyTextureLine(f, c, "texture %s"); }},
    {"position", [](Flare& f, BlockContext& c) { return ScanVector(c, "position V(%f %f %f)", &f.position); }},
    {"lenseffect", ApplyLensEffect},
    {"rotation", ApplyRotation},
    {"xy", [](Flare& f, BlockContext& c) { return ScanNumber(c, "xy %f", &f.aspect); }},
    {"orient", ApplyOrient},
};

// Window pixels of the frame's centre, origin at the lower left.
Vector3 WindowCentre(FrameSize frame) { return Vector3{float(frame.width) / 2.0f, float(frame.height) / 2.0f, 0.0f}; }

// The depth buffer at window point (x, y), or -1 (below every depth, so the
// point counts as hidden) when the point lies outside the viewport.
float ReadDepth(double x, double y) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  bool inside = x >= viewport[0] && x < double(viewport[0]) + viewport[2] && y >= viewport[1] &&
                y < double(viewport[1]) + viewport[3];  // also false for NaN
  if (!inside) return -1.0f;
  GLfloat depth = -1.0f;
  glReadPixels(GLint(x), GLint(y), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

}  // namespace

void ParseFlare(SceneReader& reader, ObjectList& list) {
  BlockContext block{reader, list};
  ParseObjectBlock<Flare>(std::make_unique<Flare>(), kFlareRules, block, nullptr);
}

// [SECTION] update

void Flare::Update(double dt) {
  UpdateFade(dt);
  rotationAngle = float(rotationAngle + rotationSpeed * dt);
  if (rotationAngle > kFullTurn) rotationAngle -= kFullTurn;
  if (rotationAngle < 0.0f) rotationAngle += kFullTurn;
  UpdateFlicker(dt);
}

void Flare::UpdateFade(double dt) {
  if (occlusionVisible) {
    if (level < 1.0f) level = float(level + fadeInRate * dt);
    if (level > 1.0f) level = 1.0f;
  } else {
    if (level > 0.0f) level = float(level - fadeOutRate * dt);
    if (level < 0.0f) level = 0.0f;
  }
}

// The flicker falls until the clock reaches flickerRiseStart and rises
// after it; at flickerEnd a new flicker is drawn. With amplitude 0 it is a
// steady rise of 0.7 per second while level is above 0.
void Flare::UpdateFlicker(double dt) {
  flickerTimer = float(flickerTimer + kFlickerClockRate * dt);
  if (flickerTimer < flickerRiseStart)
    level = float(level - kFlickerRise * dt);
  else if (level > 0.0f)
    level = float(level + kFlickerRise * dt);
  if (flickerTimer > flickerEnd) {
    float r1 = RandomFraction() * flickerAmplitude;  // drawn first
    float r2 = RandomFraction() * flickerAmplitude;
    flickerRiseStart = float(kFlickerClockRate) * r1;
    flickerEnd = float(kFlickerClockRate) * (r2 + r1);
    flickerTimer = 0.0f;
  }
}

// [SECTION] render

void Flare::Render(const CameraController& camera) {
  // GL in: frame defaults. GL out: frame defaults, except the bound texture
  // and the current colour; env flares push and pop the projection once,
  // the sprite and lens effect use the pixel overlay's pushes and pops.
  // Without a texture line the flare draws with the texture bound last.
  if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
  if (isEnv) PushEnvProjection(fov, camera.frame);
  PlaceInWorld(camera);
  Vector3 flareScreen;
  occlusionVisible = ProjectAndTestDepth(camera, &flareScreen);
  // The narrow frustum served the projection only; popping it before the
  // sprite keeps the projection stack two deep at most.
  if (isEnv) PopEnvProjection();
  if (level > 0.0f) DrawGlow(camera, flareScreen);
  RestoreObjectDefaults();
}

// The sprite and the lens effect, at the flare's point on the screen.
void Flare::DrawGlow(const CameraController& camera, Vector3 flareScreen) const {
  const FrameSize frame = camera.frame;
  DrawSprite(frame, flareScreen, FocusFactor(camera) * level * lumin);
  LensLayout layout;
  if (hasLensEffect && LayOutLensEffect(flareScreen, WindowCentre(frame), &layout))
    DrawLensEffect(frame, layout, lensSize * ScreenScale(frame), lensTextures, hasOrient);
}

// An env flare sits at a fixed offset from the eye; an attached one at its
// offset along the parent's right, right x look and look axes (the parent
// rule decides when a flare has both).
void Flare::PlaceInWorld(const CameraController& camera) {
  if (isEnv) position = Add(camera.eye, envOffset);
  if (flareParent == nullptr) return;
  const SceneObject& p = *flareParent;
  Vector3 across = Cross(p.right, p.look);
  position = Add(Add(Add(p.position, Scale(p.right, envOffset.x)), Scale(across, envOffset.y)),
                 Scale(p.look, envOffset.z));
}

// Projects position to window coordinates and compares its depth with the
// depth buffer: true when nothing drawn so far hides it. An env point counts
// as infinitely far (visible only where the depth buffer is clear); a point
// behind the camera never shows.
bool Flare::ProjectAndTestDepth(const CameraController& camera, Vector3* flareScreen) {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble winX = 0.0, winY = 0.0, winZ = 0.0;
  bool projected = gluProject(position.x, position.y, position.z, modelview, projection, viewport, &winX,
                              &winY, &winZ) == GL_TRUE;
  *flareScreen = Vector3{float(winX), float(winY), 0.0f};
  if (!projected) return false;
  if (isEnv) winZ = 1.0;
  Vector3 toFlare = isEnv ? envOffset : Subtract(position, camera.position);
  if (Dot(toFlare, camera.forward) < 0.0f) winZ = kBehindCameraDepth;
  return ReadDepth(winX, winY) >= winZ;
}

// 1 without `focus`; with it, 1 when the camera looks straight along
// envOffset, falling to 0 at the dot product `focus`.
float Flare::FocusFactor(const CameraController& camera) const {
  if (!hasFocus) return 1.0f;
  float factor = (Dot(DirectionOrZero(envOffset), camera.forward) - focus) / (1.0f - focus);
  return factor > 0.0f ? factor : 0.0f;  // also 0 for NaN (focus 1)
}

void Flare::DrawSprite(FrameSize frame, Vector3 flareScreen, float alpha) const {
  BeginPixelOverlay(frame);  // also turns lighting and the depth test off
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // the sprite adds light
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
  glTranslatef(flareScreen.x, flareScreen.y, 0.0f);
  glRotatef(rotationAngle, 0.0f, 0.0f, 1.0f);
  if (hasOrient) {
    Vector3 towards = DirectionOrZero(Subtract(orientPoint, WindowCentre(frame)));
    glRotatef(kQuarterTurn * Dot(towards, DirectionOrZero(flareScreen)), 0.0f, 0.0f, 1.0f);
  }
  const float halfHeight = size * ScreenScale(frame);  // pixels
  DrawCenteredQuad(0.0f, 0.0f, halfHeight * aspect, halfHeight);
  EndPixelOverlay();
}
