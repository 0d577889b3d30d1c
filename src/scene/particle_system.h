// ParticleSystem (`ps` blocks): a fixed number of textured, additively
// blended squares in one of three modes. `line`: streaks shot from the
// system's position along -z that bend sideways and fade. `circ`: bursts
// every 2 to 3 seconds at random points of a sphere about point1, thrown
// outward and pulled back. `flash`: a lightning bolt, a jagged chain of
// squares laid on a sphere of radius 16100 about point1, lit by a
// travelling wave and struck anew at a random place after each pass.
// Particles never interact; every random value comes from the process-wide
// generator in a fixed order.
#pragma once

#include <vector>

#include "scene/scene_file.h"
#include "scene/scene_object.h"

// Largest `dens` accepted. Systems of this kind hold tens to a few hundred
// particles; each is an immediate-mode square every frame, so a thousand is
// already far more than a frame can afford, and the bound keeps a damaged
// line from asking for gigabytes.
constexpr int kMaxParticles = 4096;

enum class ParticleMode : int {
  kNone = 0,   // no mode keyword: the block is rejected
  kFlash = 2,  // `flash`
  kLine = 3,   // `line`
  kCirc = 4,   // `circ`
};

struct Particle {
  Vector3 pos;  // relative to the system's position, world units
  Vector3 vel;  // units per second
  Vector3 acc;  // units per second squared
  float age;    // seconds since (re)spawn (`line`)
  float life;   // lifetime in seconds (`line`)
};

// Uses the base position (emitter or strike centre; moved by `circ` and
// `flash`) and textureId.
class ParticleSystem : public SceneObject {
 public:
  ParticleSystem();  // draws the random wave phase

  void Render(const CameraController& camera) override;
  void Update(double dt) override;
  const char* KindName() const override { return "ps"; }

  // Allocates count particles and sets their initial state (`dens`): each
  // 250 units from position in a random direction, moving along -z at 1000
  // units per second, with a random age and life 0; timer and period 0.
  // count outside 1..kMaxParticles leaves no particles.
  void SetParticleCount(int count);
  int Count() const { return int(particles.size()); }

  std::vector<Particle> particles;  // from `dens`; empty until then
  float size = 2.0f;              // `circ`: burst sphere radius; `flash`: square half size while drawing
  float phase = 0.0f;             // `flash` wave phase, advanced by Update
  ParticleMode mode = ParticleMode::kNone;
  float period = 0.0f;            // seconds between events; `time` sets the first
  float timer = 0.0f;             // seconds since the last event
  int waveIndex = 0;              // `flash`: brightest particle, -count .. 2 * count
  Vector3 point1 = {0.0f, 0.0f, 0.0f};  // centre of the burst / strike sphere
  Vector3 strikeAxis = {1.0f, 0.0f, 0.0f};  // `flash`: the bolt lies across it; from `rot`, unit after a strike

 private:
  void UpdateMotion(double dt);
  void RespawnLineParticle(Particle& p);
  void Burst();
  void AdvanceWave(double dt);
  void Strike();
  void RenderLineOrCirc();
  void RenderFlash();
  float CycleFraction() const;
};

// The `ps` block parser (ObjectParser). A block without a positive `dens`
// or without a mode keyword adds no object.
void ParseParticleSystem(SceneReader& reader, ObjectList& list);
