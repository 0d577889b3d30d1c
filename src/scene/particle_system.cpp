// ParticleSystem: the keyword table of `ps` blocks, the motion and events
// of the three modes, and their drawing.
//
// [SECTION] parsing
// [SECTION] update
// [SECTION] render
#include "scene/particle_system.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "camera/random.h"
#include "platform/opengl.h"
#include "scene/effect_math.h"
#include "scene/frame_state.h"

namespace {

constexpr float kSpawnRadius = 250.0f;        // initial distance from position, units
constexpr float kInitialSpeed = 1000.0f;      // along -z, units per second
constexpr float kMaxInitialAge = 25.0f;       // seconds
constexpr float kStrikeRadius = 16100.0f;     // sphere of the lightning strikes about point1
constexpr float kChainStep = 100.8f;          // units between the squares of a bolt
constexpr float kGlowHalfSize = 2000.0f;
constexpr float kWaveStep = 0.3f;             // phase per second of a wave step's dt
const Vector3 kUp = {0.0f, 1.0f, 0.0f};

// [SECTION] parsing

using ParticleRule = KeywordRule<ParticleSystem>;

// "dens %d": the decimal integer after the keyword; values beyond the int
// range read as out of range instead of wrapping.
bool ApplyDens(ParticleSystem& ps, BlockContext& block) {
  const char* text = block.reader.line + 4;
  char* end = nullptr;
  errno = 0;
  long count = std::strtol(text, &end, 10);
  if (end == text) return false;
  bool tooMany = errno == ERANGE ? count > 0 : count > kMaxParticles;
  if (tooMany) block.reader.Report("dens above " + std::to_string(kMaxParticles) + "; no particles", &ps);
  ps.SetParticleCount(count >= 1 && !tooMany ? int(count) : 0);
  return true;
}

template <ParticleMode Mode>
bool SetMode(ParticleSystem& ps, BlockContext&) {
  ps.mode = Mode;
  return true;
}

// In the order every line is tested; each matching rule applies.
const ParticleRule kParticleRules[] = {
    {"texture", [](ParticleSystem& s, BlockContext& c) { return ApplyTextureLine(s, c, "texture %s"); }},
    {"size", [](ParticleSystem& s, BlockContext& c) { return ScanNumber(c, "size %f", &s.size); }},
    {"line", SetMode<ParticleMode::kLine>},
    {"circ", SetMode<ParticleMode::kCirc>},
    {"flash", SetMode<ParticleMode::kFlash>},
    {"time", [](ParticleSystem& s, BlockContext& c) { return ScanNumber(c, "time %f", &s.period); }},
    {"dens", ApplyDens},
    {"point1", [](ParticleSystem& s, BlockContext& c) { return ScanVector(c, "point1 V(%f %f %f)", &s.point1); }},
    // `point2` is read (a malformed one is reported) and otherwise ignored.
    {"point2", [](ParticleSystem&, BlockContext& c) { Vector3 ignored; return ScanVector(c, "point2 V(%f %f %f)", &ignored); }},
    {"rot", [](ParticleSystem& s, BlockContext& c) { return ScanVector(c, "rot V(%f %f %f)", &s.strikeAxis); }},
};

}  // namespace

ParticleSystem::ParticleSystem() { phase = float(RandomDraw() % 360); }

void ParticleSystem::SetParticleCount(int count) {
  particles.clear();  // a second `dens` replaces the earlier particles
  particles.shrink_to_fit();
  timer = 0.0f;
  period = 0.0f;
  if (count < 1 || count > kMaxParticles) return;
  particles.resize(size_t(count));
  for (Particle& p : particles) {
    p.pos = Add(position, Scale(RandomUnitVector(), kSpawnRadius));
    p.vel = Vector3{0.0f, 0.0f, -kInitialSpeed};
    p.acc = Vector3{0.0f, 0.0f, 0.0f};
    p.life = 0.0f;  // every `line` particle respawns at the first Update
    p.age = kMaxInitialAge * RandomFraction();
  }
}

void ParseParticleSystem(SceneReader& reader, ObjectList& list) {
  auto ps = std::make_unique<ParticleSystem>();
  BlockContext block{reader, list};
  if (!FindBlockBegin(reader)) {
    reader.Report("block ends at the end of the file without \"begin\"", ps.get());
    return;
  }
  ParseBlockLines(*ps, kParticleRules, block);
  if (ps->Count() == 0 || ps->mode == ParticleMode::kNone) {
    reader.Report(ps->Count() == 0 ? "particle system without a positive dens; not added"
                                   : "particle system without line, circ or flash; not added");
    return;
  }
  list.Append(std::move(ps));
}

// [SECTION] update

void ParticleSystem::Update(double dt) {
  timer = float(timer + dt);
  if (mode != ParticleMode::kFlash) UpdateMotion(dt);
  if (mode == ParticleMode::kCirc && timer > period) Burst();
  if (mode == ParticleMode::kFlash && timer > period) AdvanceWave(dt);
}

void ParticleSystem::UpdateMotion(double dt) {
  float step = float(dt);
  for (Particle& p : particles) {
    AddInPlace(p.pos, Scale(p.vel, step));
    AddInPlace(p.vel, Scale(p.acc, step));
    if (mode != ParticleMode::kLine) continue;
    timer = 0.0f;
    p.age += step;
    if (p.age > p.life) RespawnLineParticle(p);
  }
}

// Shot along -z at 2400 to 19500 units per second, pulled sideways (more
// to +x than +y) in proportion to the speed, for 1 to 3 seconds.
void ParticleSystem::RespawnLineParticle(Particle& p) {
  p.pos = Vector3{0.0f, 0.0f, 0.0f};
  p.vel = Vector3{0.0f, 0.0f, -2400.0f - 17100.0f * RandomFraction()};
  float k = Length(p.vel) * 0.57f;
  float r1 = RandomFraction();  // drawn first
  float r2 = RandomFraction();
  p.acc = Scale(Vector3{1.0f + r2, r1, 0.0f}, k);
  p.age = 0.0f;
  p.life = 1.0f + 2.0f * RandomFraction();
}

// A burst centred at a random point of the sphere of radius size about
// point1: every particle starts near the centre and is thrown outwards
// (one burst in five much faster, straight along the sphere's normal),
// then pulled back.
void ParticleSystem::Burst() {
  timer = 0.0f;
  period = 2.0f + RandomFraction();
  Vector3 u = RandomUnitVector();
  position = Add(point1, Scale(u, size));
  bool big = RandomFraction() < 0.2f;
  Vector3 onSphere = Scale(u, size);
  for (Particle& particle : particles) {
    Vector3 q = RandomUnitVector();
    float a = 4.0f * RandomFraction();  // degrees
    Vector3 p = onSphere;
    RotateAboutAxis(p, q, a);
    particle.pos = Subtract(onSphere, p);
    float damping = 1.0f - a / 4.0f;
    float speed = 800.0f + 300.0f * RandomFraction();
    if (big)
      particle.vel = Scale(u, (400.0f + 1700.0f * RandomFraction()) * damping);
    else
      particle.vel = Scale(DirectionOrZero(Subtract(Scale(onSphere, 1.1f), p)), speed * damping);
    Vector3 axis = RandomUnitVector();  // drawn before the angle
    RotateAboutAxis(particle.vel, axis, 30.0f * RandomFraction());
    particle.acc = Scale(u, -(250.0f + 50.0f * RandomFraction()));
  }
}

// One step of the travelling wave every 0.01 to 0.05 seconds; after it has
// run from -count to 2 * count the bolt strikes anew.
void ParticleSystem::AdvanceWave(double dt) {
  phase = float(phase + kWaveStep * dt);
  timer = 0.0f;
  period = 0.01f + 0.04f * RandomFraction();
  ++waveIndex;
  if (waveIndex > 2 * Count()) Strike();
}

// A new bolt at a random point of the strike sphere: a chain of steps of
// 100.8 units across the strike axis, each turned about it at random.
void ParticleSystem::Strike() {
  phase = 0.0f;
  waveIndex = -Count();
  Vector3 q = RandomUnitVector();
  position = Add(point1, Scale(q, kStrikeRadius));
  strikeAxis = Normalize(q);
  Vector3 h = {0.0f, 0.0f, 0.0f};
  for (Particle& p : particles) {
    Vector3 step = Scale(Cross(strikeAxis, kUp), kChainStep);
    RotateAboutAxis(step, strikeAxis, 30.0f + 180.0f * RandomFraction());
    AddInPlace(h, step);
    p.pos = h;
  }
}

// [SECTION] render

namespace {

// A square of half size s about axes x and y, texture (0, 0) at -x - y.
void DrawSquare(Vector3 x, Vector3 y, float s) {
  const Vector3 corners[4] = {Subtract(Negate(x), y), Subtract(x, y), Add(Negate(x), y), Add(x, y)};
  const float texCoords[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(texCoords[i][0], texCoords[i][1]);
    glVertex3f(s * corners[i].x, s * corners[i].y, s * corners[i].z);
  }
  glEnd();
}

}  // namespace

void ParticleSystem::Render(const CameraController&) {
  // GL in: frame defaults. GL out: frame defaults, except the bound texture
  // and the current colour; one modelview push/pop around the system and
  // one per particle.
  if (particles.empty()) return;
  glPushMatrix();
  if (mode == ParticleMode::kFlash)
    RenderFlash();
  else
    RenderLineOrCirc();
  glPopMatrix();
  RestoreObjectDefaults();
}

// timer / period: 0 at an event, 1 at the next; 0 while there is no period.
float ParticleSystem::CycleFraction() const { return period > 0.0f ? timer / period : 0.0f; }

void ParticleSystem::RenderLineOrCirc() {
  Vector3 d = Subtract(position, point1);
  Vector3 a = DirectionOrZero(Cross(d, kUp));
  Vector3 b = DirectionOrZero(Cross(a, d));
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, textureId);
  ApplyPosition();
  // The viewer's right and up axes: the first two rows of the modelview matrix.
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  Vector3 r = {m[0], m[4], m[8]}, u = {m[1], m[5], m[9]};
  Vector3 v = Cross(r, u);
  float f = CycleFraction();
  float pulse = 1.0f - std::fabs(2.0f * f - 1.0f);  // 0 at the events, 1 half-way
  glColor4f(1.0f, 1.0f, 1.0f, pulse);  // in `line` mode the timer stays 0: no glow
  DrawSquare(a, b, kGlowHalfSize);
  for (int i = 0; i < Count(); ++i) {
    const Particle& p = particles[size_t(i)];
    float spread = float(Count() - 2 * i);
    glPushMatrix();
    glTranslatef(p.pos.x, p.pos.y, p.pos.z);
    if (mode == ParticleMode::kLine) {
      glRotatef(20.0f * p.pos.z * spread, v.x, v.y, v.z);
      glColor4f(1.0f, 1.0f, 1.0f, p.life > 0.0f ? 1.0f - p.age / p.life : 0.0f);
      DrawSquare(r, u, 800.0f - 0.2f * p.pos.z);  // grows as it moves away along -z
    } else {
      glRotatef(20.0f * f * spread, v.x, v.y, v.z);
      glColor4f(1.0f, 1.0f, 1.0f, pulse);
      DrawSquare(r, u, 500.0f);
    }
    glPopMatrix();
  }
}

// The bolt lies in the plane across the strike axis; its squares turn with
// the wave phase and are brightest at waveIndex.
void ParticleSystem::RenderFlash() {
  glBindTexture(GL_TEXTURE_2D, textureId);
  glDisable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  float w = phase / 0.1f;
  float count = float(Count());
  float glowAlpha = 0.2f + 0.4f * RandomFraction() - float(std::abs(waveIndex)) / count * 0.2f;
  glColor4f(1.0f, 1.0f, 1.0f, glowAlpha);
  size = 2000.0f + 1000.0f * RandomFraction();
  ApplyPosition();
  glDepthMask(GL_FALSE);
  Vector3 a = Cross(strikeAxis, kUp);
  Vector3 b = Cross(a, strikeAxis);
  Vector3 n = Cross(a, b);
  const Vector3& middle = particles[particles.size() / 2].pos;
  glPushMatrix();
  glTranslatef(middle.x, middle.y, middle.z);
  glRotatef(360.0f * RandomFraction(), n.x, n.y, n.z);
  glNormal3f(n.x, n.y, n.z);
  DrawSquare(a, b, size);
  glPopMatrix();
  size = 250.0f;
  for (int i = 0; i < Count(); ++i) {
    const Vector3& pos = particles[size_t(i)].pos;
    float distance = float(i < waveIndex ? waveIndex - i : i - waveIndex);
    glPushMatrix();
    glTranslatef(pos.x, pos.y, pos.z);
    glRotatef(20.0f * w * (count - 2.0f * float(i)), n.x, n.y, n.z);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f - distance / count + 0.4f * RandomFraction());
    DrawSquare(a, b, size);
    glPopMatrix();
  }
}
