// Sphere: the keyword table of `sphere` blocks, the per-frame motion
// (rotation, orbit, moon, revolution, satellites, flash timer), drawing in
// its steps, the scan of wire spheres and the standard sphere lists.
//
// [SECTION] parsing
// [SECTION] update
// [SECTION] render
// [SECTION] scan routine
// [SECTION] standard sphere lists
#include "scene/sphere.h"

#include <cmath>

#include "camera/camera_controller.h"
#include "camera/random.h"
#include "platform/opengl.h"
#include "scene/day_night.h"
#include "scene/frame_state.h"
#include "scene/geometry_builder.h"
#include "scene/night_side.h"
#include "scene/sun_glint.h"

SphereLists sphereLists;

namespace {

constexpr const char* kSphereGeometryFile = "meshes\\sphere.dat";
constexpr const char* kEnvGeometryFile = "meshes\\env.dat";
constexpr float kFullTurn = 360.0f;              // degrees
constexpr float kOrbitShift = 2000.0f;           // subtracted from x of revolving spheres
constexpr float kOrbitDegreesPerPeriod = 5000.0f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kScanStartClock = 5.0f;          // seconds of sceneClock
constexpr float kScanEndClock = 25.0f;
// Spin, in degrees, at which the meridian of longitude 0 faces the sun on +z:
// the standard orientation turns the file's z pole to -y, and the texture
// scrolls twice the spin, so longitude L faces the sun at spin L + 90.
constexpr float kSunMeridianSpin = 90.0f;

// [SECTION] parsing

using SphereRule = KeywordRule<Sphere>;

void ApplyFlashKeyword(Sphere& s) {
  float k = parseState.flashCounter;
  s.flash = true;
  s.flashOn = !(k > 0.4f);
  s.flashTime = s.flashOn ? k : k - 0.5f;
  s.flashPeriod = 0.5f;
  parseState.flashCounter = k + 0.25f;
}

// OpenGL takes exponents from 0 to 128 only; others are brought into range.
bool ApplyShininess(Sphere& s, BlockContext& block) {
  constexpr float kMostShininess = 128.0f;
  float value = s.shininess;
  bool read = ScanNumber(block, "shininess %f", &value);
  s.shininess = value > 0.0f ? (value < kMostShininess ? value : kMostShininess) : 0.0f;  // NaN: 0
  return read;
}

// `glint` with an optional brightness, 0..1 (1 when missing); the layer
// draws the finer glint sphere.
bool ApplyGlint(Sphere& s, BlockContext& block) {
  float brightness = 1.0f;
  ScanValues(block.reader.line, "glint %f", &brightness, 1);
  s.sunGlint = true;
  s.glintBrightness = brightness > 0.0f ? (brightness < 1.0f ? brightness : 1.0f) : 0.0f;  // NaN: 0
  s.listId = sphereLists.glint;
  return true;
}

bool ApplyTexture(Sphere& s, BlockContext& block) {
  if (!ApplyTextureLine(s, block, "texture %s")) return false;
  parseState.lastAlphaTexture = s.alphaTexture;
  return true;
}

bool ApplyRotationLine(Sphere& s, BlockContext& block) {
  float* const fields[] = {&s.rotationAxis.x, &s.rotationAxis.y, &s.rotationAxis.z, &s.angle, &s.rate};
  int read = ScanFields(block, "rotation V(%f %f %f) %f %f", fields, 5);
  s.startAngle = s.angle;
  return read == 5;
}

// `clock` with an optional drift in degrees per second against the ground
// (the cloud layers' own slow turn while the Earth follows the clock).
bool ApplyClock(Sphere& s, BlockContext& block) {
  float drift = 0.0f;
  ScanValues(block.reader.line, "clock %f", &drift, 1);
  s.clockTurned = true;
  s.clockDrift = drift;
  return true;
}

bool ApplyOrient(Sphere& s, BlockContext& block) {
  float* const fields[] = {&s.orientAxis.x, &s.orientAxis.y, &s.orientAxis.z, &s.orientAngle};
  return ScanFields(block, "orient V(%f %f %f) %f", fields, 4) == 4;
}

// Revolving spheres are placed 2000 units towards -x of what the file says;
// `orbit` read before the position line keeps it as written.
bool ApplyPositionLine(Sphere& s, BlockContext& block) {
  Vector3 p = s.basePosition;
  float* const fields[] = {&p.x, &p.y, &p.z};
  int read = ScanFields(block, "position V(%f %f %f)", fields, 3);
  if (read > 0 && s.revolves) p.x -= kOrbitShift;
  s.position = p;
  s.basePosition = p;
  return read == 3;
}

bool ApplyParent(Sphere& s, BlockContext& block) {
  char parentName[kObjectNameSize];
  if (ScanValues(block.reader.line, "parent %s", nullptr, 0, parentName, sizeof parentName) != 1)
    return false;
  ResolveParent(s, block, parentName);
  return true;
}

bool ApplyMoon(Sphere& s, BlockContext&) {
  s.isMoon = true;
  s.moonSpeed = 2.0f * parseState.moonFactor;
  parseState.moonFactor *= 0.75f;
  return true;
}

void MakeShell(Sphere& s, uint32_t list) {
  s.isAtmosphere = true;
  s.alphaTexture = false;
  s.listId = list;
}

// In the order every line is tested; each matching rule applies.
const SphereRule kSphereRules[] = {
    {"radius", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "radius %f", &s.radius); }},
    {"FOV", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "FOV %f", &s.fov); }},
    {"alpha", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "alpha %f", &s.alpha); }},
    {"tiling", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "tiling %f", &s.tiling); }},
    {"detiling", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "detiling %f", &s.detiling); }},
    {"period", [](Sphere& s, BlockContext& b) { return ScanNumber(b, "period %f", &s.period); }},
    {"shininess", ApplyShininess},
    {"env", [](Sphere& s, BlockContext&) {
       s.isEnv = true;
       s.rate = 0.0f;
       s.listId = GeometryList(GeometrySlot::kEnv);
       return true;
     }},
    {"geo", [](Sphere& s, BlockContext&) { s.listId = GeometryList(GeometrySlot::kSphere); return true; }},
    {"light", SetFlag<Sphere, &Sphere::unlit>},
    {"specular", SetFlag<Sphere, &Sphere::specular>},
    {"night", SetFlag<Sphere, &Sphere::nightSide>},
    {"glint", ApplyGlint},
    {"depth", SetFlag<Sphere, &Sphere::noDepthWrite>},
    {"wire", SetFlag<Sphere, &Sphere::wire>},
    {"sys", SetFlag<Sphere, &Sphere::satellite>},
    {"noised", [](Sphere& s, BlockContext&) {
       s.listId = GeometryList(GeometrySlot::kNoisedSphere);
       return true;
     }},
    {"uranmoon", SetFlag<Sphere, &Sphere::polarSatellite>},
    {"plt", SetFlag<Sphere, &Sphere::planetOrbit>},
    {"mask", SetFlag<Sphere, &Sphere::isMask>},
    {"list", [](Sphere& s, BlockContext&) { s.listId = GeometryList(GeometrySlot::kCustom); return true; }},
    {"moon", ApplyMoon},
    {"orbit", [](Sphere& s, BlockContext&) { s.revolves = false; return true; }},
    {"rnd", SetFlag<Sphere, &Sphere::randomFlash>},
    {"atmo", [](Sphere& s, BlockContext&) { MakeShell(s, sphereLists.atmosphere); return true; }},
    {"scatter", [](Sphere& s, BlockContext&) { MakeShell(s, sphereLists.scatter); return true; }},
    {"flash", [](Sphere& s, BlockContext&) { ApplyFlashKeyword(s); return true; }},
    {"texture", ApplyTexture},
    {"rotation", ApplyRotationLine},
    {"orient", ApplyOrient},
    {"position", ApplyPositionLine},
    {"color", [](Sphere& s, BlockContext& b) { return ScanVector(b, "color V(%f %f %f)", &s.color); }},
    {"parent", ApplyParent},
    {"clock", ApplyClock},
};

void OnSphereBegin(Sphere& s, const char* line) {
  ScanValues(line, "begin %s", nullptr, 0, s.name, sizeof s.name);
  s.listId = GeometryList(GeometrySlot::kSphere);
  s.alphaTexture = parseState.lastAlphaTexture;
}

}  // namespace

Sphere::Sphere() {
  texOffsetS = RandomFraction();
  texOffsetT = RandomFraction();
}

void ParseSphere(SceneReader& reader, ObjectList& list) {
  BlockContext block{reader, list};
  ParseObjectBlock(std::make_unique<Sphere>(), kSphereRules, block, OnSphereBegin);
}

// [SECTION] update

namespace {

Vector3 Rotated(Vector3 v, Vector3 axis, float degrees) {
  RotateAboutAxis(v, axis, degrees);
  return v;
}

float WrapOnce(float degrees) { return degrees > kFullTurn ? degrees - kFullTurn : degrees; }

}  // namespace

void Sphere::Update(double dt) {
  angle = WrapOnce(angle + float(rate * dt));
  if (clockTurned) clockDriftAngle = std::fmod(clockDriftAngle + float(clockDrift * dt), kFullTurn);
  // A period of 0 would divide by zero; such a sphere stands at angle 0.
  float orbitAngle = period != 0.0f ? WrapOnce(kOrbitDegreesPerPeriod / period * sceneClock) : 0.0f;
  if (isMoon) {
    moonAngle = sceneClock * moonSpeed;
    position = Rotated(basePosition, rotationAxis, moonAngle);
    angle = moonAngle;
  }
  if (revolves && !unlit) UpdateOrbit(orbitAngle);
  if (HasParentForSatellite()) UpdateSatellite();
  UpdateFlash(dt);
}

void Sphere::UpdateOrbit(float orbitAngle) {
  if (!planetOrbit) {
    position = Rotated(basePosition, Vector3{0.0f, 1.0f, 0.0f}, orbitAngle);
    return;
  }
  float a = orbitAngle * kTwoPi / kFullTurn;
  // 412000 scaled by 1.5 for x, and y = 0.2 * x.
  position = Vector3{618000.0f * std::cos(a), 123600.0f * std::cos(a), 412000.0f * std::sin(a)};
}

void Sphere::UpdateSatellite() {
  if (!polarSatellite) {
    position = Rotated(basePosition, rotationAxis, angle);
    return;
  }
  Vector3 away = Normalize(Cross(Vector3{0.0f, 1.0f, 0.0f}, parent->position));
  position = Rotated(Scale(away, basePosition.x), parent->position, angle);
}

void Sphere::UpdateFlash(double dt) {
  flashTime += float(dt);
  if (!(flashTime > flashPeriod)) return;
  flashOn = !flashOn;
  flashTime -= flashPeriod;
  flashPeriod = 0.5f;
  if (randomFlash) {
    flashTime = 0.0f;
    float r = RandomFraction();
    flashPeriod = flashOn ? 0.4f + 0.4f * r : 0.1f + 0.1f * r;
  }
  if (flashOn) {
    texOffsetS = RandomFraction();
    texOffsetT = RandomFraction();
    texRotation = RandomFraction() * 180.0f;
  }
}

// [SECTION] render

void Sphere::Render(const CameraController& camera) {
  // GL in: frame defaults. GL out: frame defaults, except the bound texture
  // (and texture 0 after a wire scan) and the current colour; one modelview
  // push/pop, and for `env` one projection push/pop.
  glPushMatrix();
  if (isEnv) EnterEnvFrustum(camera);
  if (unlit && !nightSide) glDisable(GL_LIGHTING);
  if (HasParentForSatellite()) position = Add(position, parent->position);
  SceneObject::ApplyPosition();
  if (!isAtmosphere) ApplyRotation();
  if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
  ApplyAlpha();
  if (specular) ApplyHighlight();
  if (nightSide) EnterNightSide(alpha);
  if (alphaTexture) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  if (ShowsGlint()) EnterSunGlint(glintBrightness, shininess);
  if (isAtmosphere) FaceViewer(camera);
  if (flash) ApplyFlash();
  if (wire) ApplyWire();
  glScalef(radius, radius, radius);
  ApplyMaskAndSatellite();
  if (noDepthWrite) glDepthMask(GL_FALSE);
  glMatrixMode(GL_TEXTURE);
  glScalef(tiling, tiling, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  Draw();
  if (isEnv) LeaveEnvFrustum(camera);
  glPopMatrix();
  RestoreObjectDefaults();
}

// The sky box: centred on the eye, drawn unlit without depth through its own
// narrow frustum, so it stands behind everything as if infinitely far.
void Sphere::EnterEnvFrustum(const CameraController& camera) {
  position = camera.eye;
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  PushEnvProjection(fov, camera.frame);
}

void Sphere::LeaveEnvFrustum(const CameraController& camera) {
  position = camera.eye;
  PopEnvProjection();
}

// Orientation and spin; the texture scrolls with the spin (twice per turn,
// times the tiling) plus the detiling shift. A `clock` sphere in the real
// day and night first leans its pole towards the sun by the subsolar
// latitude (about the x axis, across the sun's +z) and takes the spin that
// puts the subsolar longitude under the sun.
void Sphere::ApplyRotation() {
  float spin = angle;
  if (clockTurned && dayNight.on) {
    glRotatef(-float(dayNight.sun.latitude), 1.0f, 0.0f, 0.0f);
    spin = ClockSpin();
  }
  glRotatef(orientAngle, orientAxis.x, orientAxis.y, orientAxis.z);
  glRotatef(spin + detiling, rotationAxis.x, rotationAxis.y, rotationAxis.z);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glTranslatef(2.0f * spin / kFullTurn * tiling + detiling / kFullTurn, 0.0f, 0.0f);
  glMatrixMode(GL_MODELVIEW);
}

// Degrees; the rotation line's angle and the drift so far ride on top.
float Sphere::ClockSpin() const {
  return float(dayNight.sun.longitude) + kSunMeridianSpin + startAngle + clockDriftAngle;
}

void Sphere::ApplyAlpha() {
  if (alpha < 1.0f) {
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (!unlit) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (!isEnv) glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_BLEND);
    glEnable(GL_COLOR_MATERIAL);
    if (!isEnv) glEnable(GL_CULL_FACE);
    glColor3f(1.0f, 1.0f, 1.0f);
  }
  if (isEnv) {
    // The box is seen from inside.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
  }
}

// The sun's reflection on the surface; without it the frame defaults' black
// specular material shows none.
void Sphere::ApplyHighlight() {
  const GLfloat highlight[4] = {1.0f, 1.0f, 0.8f, 1.0f};
  glDisable(GL_COLOR_MATERIAL);
  glMaterialfv(GL_FRONT, GL_SPECULAR, highlight);
  glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

// Turns the shell so that its local x axis runs from the eye through its
// centre: the per-vertex alpha of the shell lists then depends on the
// viewing angle.
void Sphere::FaceViewer(const CameraController& camera) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  Vector3 u = Normalize(Subtract(position, camera.eye));
  Vector3 v = Normalize(Cross(u, camera.up));
  Vector3 w = Normalize(Cross(u, v));
  const GLfloat m[16] = {u.x, u.y, u.z, 0.0f, v.x, v.y, v.z, 0.0f,
                         w.x, w.y, w.z, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  glMultMatrixf(m);
  glDepthMask(GL_FALSE);
}

void Sphere::ApplyFlash() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, alphaTexture ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
  float phase = flashTime / flashPeriod;  // the period is 0.1 s or more
  if (randomFlash)
    glColor4f(1.0f, 1.0f, 1.0f, flashOn ? 0.3f + 0.7f * RandomFraction() : 0.0f);
  else
    glColor4f(1.0f, 1.0f, 1.0f, flashOn ? phase : 1.0f - phase);
  glMatrixMode(GL_TEXTURE);
  glTranslatef(texOffsetS, texOffsetT, 0.0f);
  if (randomFlash) glRotatef(texRotation, 0.0f, 0.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
}

void Sphere::ApplyWire() {
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (sceneClock > kScanEndClock) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
  }
}

void Sphere::ApplyMaskAndSatellite() {
  if (HasParentForSatellite()) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(color.x, color.y, color.z, 1.0f);
  }
  if (isMask) {
    // Only depth is written, hiding what later passes draw behind the
    // planet. The colour mask keeps the colour buffer as it is without
    // reading and blending it for every covered pixel.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
  }
}

void Sphere::Draw() {
  if (wire && sceneClock <= kScanEndClock) {
    DrawScan();
    return;
  }
  LitFaces* faces = FacesLeftDark();
  if (faces == nullptr)
    glCallList(listId);
  else if (nightSide)
    faces->DrawFacing(3, NightDarkCosine());  // GL_LIGHT3, the night light
  else
    faces->DrawFacing(1, 0.0f);  // GL_LIGHT1, the sun: no specular term at or below the horizon
}

// The faces of this layer's list when the layer is coloured by one light
// alone, adds its colour to the picture and writes no depth: a face lit
// black then changes no pixel, and DrawFacing leaves it out. Null otherwise.
LitFaces* Sphere::FacesLeftDark() {
  bool additive = ShowsGlint() || (nightSide && alpha < 1.0f && !alphaTexture && noDepthWrite);
  if (!additive || flash || wire || isMask) return nullptr;
  for (LitFaces* faces : {&sphereLists.sphereFaces, &sphereLists.glintFaces})
    if (faces->ListId() != 0 && faces->ListId() == listId) return faces;
  return nullptr;
}

// [SECTION] scan routine

namespace {

// The sweep of a wire sphere at clock t: plane z = p, band width w.
void ScanSweep(float t, float* p, float* w) {
  if (t < 10.0f) {
    *p = 1.0f;
    *w = (t - 5.0f) / 5.0f;
  } else if (t < 20.0f) {
    *p = 1.0f - 2.0f * (t - 10.0f) / 10.0f;
    *w = 1.0f;
  } else {
    *p = -1.0f;
    *w = 1.0f - (t - 20.0f) / 5.0f;
  }
}

// Every triangle of the scan geometry, corners above the plane z = p fading
// in with their distance from it.
void DrawScanTriangles(const GeometryData& g, float p) {
  glBegin(GL_TRIANGLES);
  for (size_t corner = 0; corner < g.faceVertices.size(); ++corner) {
    const Vector3& v = g.vertices[g.faceVertices[corner]];
    const float* st = &g.texCoords[size_t(g.faceTexCoords[corner]) * 2];
    const Vector3& n = g.normals[corner];
    glColor4f(1.0f, 1.0f, 1.0f, v.z > p ? std::fabs((p - v.z) * 4.0f) : 0.0f);
    glNormal3f(n.x, n.y, n.z);
    glTexCoord2f(st[0], st[1]);
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

void DrawScanPlane(float p, float w, float angle) {
  glDepthMask(GL_FALSE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glColor4f(0.4f, 0.5f, 0.8f, 0.2f);
  glRotatef(-angle, 0.0f, 0.0f, 1.0f);
  glBegin(GL_QUAD_STRIP);
  glVertex3f(-1.5f * w, -1.5f, p);
  glVertex3f(-1.5f * w, 1.5f, p);
  glVertex3f(1.5f * w, -1.5f, p);
  glVertex3f(1.5f * w, 1.5f, p);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glDepthMask(GL_TRUE);
}

}  // namespace

// A wire sphere builds up over the first 25 seconds of sceneClock: the
// wire-frame list, then (from 5 s) the textured surface revealed behind a
// sweeping translucent plane.
void Sphere::DrawScan() {
  float p = 0.0f, w = 0.0f;
  ScanSweep(sceneClock, &p, &w);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glColor4f(color.x, color.y, color.z, 1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  glMatrixMode(GL_TEXTURE);
  glScalef(40.0f, 40.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  glCallList(listId);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  if (sceneClock < kScanStartClock) return;
  glBindTexture(GL_TEXTURE_2D, textureId);
  DrawScanTriangles(sphereLists.scanGeometry, p);
  DrawScanPlane(p, w, angle);
}

// [SECTION] standard sphere lists

namespace {

float AtmosphereAlpha(float x) { return 3.0f * x * x - 0.6f; }
float ScatterAlpha(float x) { return 1.6f * x + 1.6f; }

}  // namespace

void BuildSphereLists() {
  // A slot that fails to load stays empty and draws nothing.
  const char* failure = nullptr;
  LoadGeometry(GeometrySlot::kEnv, kEnvGeometryFile, false, &failure);
  LoadGeometry(GeometrySlot::kSphere, kSphereGeometryFile, false, &failure);
  LoadGeometry(GeometrySlot::kNoisedSphere, kSphereGeometryFile, true, &failure);
  GeometryData glint = BuildIcosphere(kGlintSphereSubdivisions);
  sphereLists.glint = CompileGeometryList(glint);
  sphereLists.glintFaces.Build(glint, sphereLists.glint);
  GeometryData sphere;
  if (!ReadGeometryMember(kSphereGeometryFile, false, &sphere, &failure)) return;
  sphereLists.sphereFaces.Build(sphere, GeometryList(GeometrySlot::kSphere));
  sphereLists.atmosphere = CompileGeometryList(sphere, AtmosphereAlpha);
  if (sphereLists.atmosphere != 0) sphereLists.scatter = CompileGeometryList(sphere, ScatterAlpha);
}

void LoadScanSphere() {
  const char* failure = nullptr;
  ReadGeometryMember(kSphereGeometryFile, false, &sphereLists.scanGeometry, &failure);
}

void ReleaseSphereLists() { sphereLists = SphereLists{}; }
