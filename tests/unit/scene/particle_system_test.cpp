// Particle systems: which `ps` blocks are accepted, the initial state at
// `dens`, Update per mode with its random draws in order, and the GL state
// each mode leaves behind.
#include <cmath>

#include "effect_test_util.h"
#include "scene/particle_system.h"

namespace {

class ParticleSystemTest : public EffectRenderTest {
 protected:
  ParticleSystem* One(const std::string& body) {
    list.Release();
    LoadObjects("ps\nbegin\n" + body + "end\nENDWORLD\n", list);
    return list.Count() == 1 ? As<ParticleSystem>(list, 0) : nullptr;
  }
  ObjectList list;
};

}  // namespace

TEST_F(ParticleSystemTest, BlocksWithoutParticlesOrModeAreRejectedButCounted) {
  struct Case {
    const char* body;
    bool accepted;
  };
  // block lines, whether an object is added
  const Case cases[] = {
      {"line\ndens 3\n", true},
      {"line\n", false},                     // no dens
      {"dens 3\n", false},                   // no mode
      {"circ\ndens 0\n", false},
      {"circ\ndens -5\n", false},
      {"flash\ndens 99999999999999999999\n", false},  // beyond the bound
      {"flash\ndens x\n", false},
      {"flash\ndens 3\ndens 0\n", false},    // the last count decides
      {"flash\ndens 1\n", true},
  };
  for (const Case& c : cases) {
    native_platform::ResetAll();
    One(c.body);
    EXPECT_EQ(c.accepted ? 1u : 0u, list.Count()) << c.body;
    EXPECT_EQ(1, native_platform::LoadingSteps()) << c.body;
  }
}

TEST_F(ParticleSystemTest, DensSetsTheInitialStateAndASecondOneReplacesIt) {
  ParticleSystem* ps = One("line\ntime 5\ndens 4\ndens 2\n");
  ASSERT_NE(nullptr, ps);
  ASSERT_EQ(2, ps->Count());
  EXPECT_FLOAT_EQ(0.0f, ps->period);  // dens resets the period set before it
  for (const Particle& p : ps->particles) {
    EXPECT_NEAR(250.0f, Length(p.pos), 0.01f);
    EXPECT_FLOAT_EQ(-1000.0f, p.vel.z);
    EXPECT_FLOAT_EQ(0.0f, p.life);
    EXPECT_GE(p.age, 0.0f);
    EXPECT_LE(p.age, 25.0f);
  }
}

TEST_F(ParticleSystemTest, LineParticlesRespawnWithTheirDrawsInOrder) {
  ParticleSystem* ps = One("line\ndens 1\n");
  ASSERT_NE(nullptr, ps);
  RandomSeed(4321);
  ps->Update(0.01);  // life 0: respawns at once
  RandomSeed(4321);
  float speed = 2400.0f + 17100.0f * RandomFraction();
  float r1 = RandomFraction();
  float r2 = RandomFraction();
  float life = 1.0f + 2.0f * RandomFraction();
  const Particle& p = ps->particles[0];
  EXPECT_FLOAT_EQ(0.0f, Length(p.pos));
  EXPECT_FLOAT_EQ(-speed, p.vel.z);
  EXPECT_FLOAT_EQ((1.0f + r2) * speed * 0.57f, p.acc.x);
  EXPECT_FLOAT_EQ(r1 * speed * 0.57f, p.acc.y);
  EXPECT_FLOAT_EQ(life, p.life);
  EXPECT_FLOAT_EQ(0.0f, ps->timer);  // held at 0 in line mode

  ps->Update(0.5);  // moves along -z and drifts towards +x
  EXPECT_FLOAT_EQ(-speed * 0.5f, ps->particles[0].pos.z);
  EXPECT_FLOAT_EQ(0.0f, ps->particles[0].pos.x);  // position before velocity
  EXPECT_GT(ps->particles[0].vel.x, 0.0f);
}

TEST_F(ParticleSystemTest, CircBurstsOnItsSphereEveryTwoToThreeSeconds) {
  ParticleSystem* ps = One("circ\nsize 300\npoint1 V(100 0 0)\ndens 5\n");
  ASSERT_NE(nullptr, ps);
  int bursts = 0;
  for (int i = 0; i < 60 * 10; ++i) {  // 10 s
    ps->Update(1.0 / 60.0);
    if (ps->timer != 0.0f) continue;  // a burst restarts the timer
    ++bursts;
    EXPECT_GE(ps->period, 2.0f);
    EXPECT_LE(ps->period, 3.0f);
    EXPECT_NEAR(300.0f, Length(Subtract(ps->position, ps->point1)), 0.05f);
    for (const Particle& p : ps->particles) EXPECT_LT(Length(p.pos), 300.0f * 0.07f);  // 4 degrees at most
  }
  EXPECT_GE(bursts, 4);  // at once, then every 2 to 3 s
  EXPECT_LE(bursts, 6);
}

// count 1: the wave runs -1, 0, 1, 2 and strikes anew on every fourth step.
TEST_F(ParticleSystemTest, FlashStrikesAnewEveryThreeCountPlusOneSteps) {
  for (int count : {1, 3}) {
    ParticleSystem* ps = One("flash\npoint1 V(0 100 0)\ndens " + std::to_string(count) + "\n");
    ASSERT_NE(nullptr, ps);
    std::vector<int> strikes;
    for (int step = 1; step <= 4 * (3 * count + 1); ++step) {
      ps->Update(0.06);  // longer than any wave period: one step each
      if (ps->waveIndex == -count) {
        strikes.push_back(step);
        EXPECT_FLOAT_EQ(0.0f, ps->phase);
        EXPECT_NEAR(16100.0f, Length(Subtract(ps->position, ps->point1)), 0.5f);
        // Each link is one step across the strike axis.
        Vector3 across = Cross(ps->strikeAxis, Vector3{0.0f, 1.0f, 0.0f});
        EXPECT_NEAR(100.8f * Length(across), Length(ps->particles[0].pos), 0.01f);
      }
    }
    const int period = 3 * count + 1;
    ASSERT_EQ(4u, strikes.size()) << count;
    EXPECT_EQ(2 * count + 1, strikes[0]) << count;  // the first wave starts at 0
    for (size_t i = 1; i < strikes.size(); ++i) EXPECT_EQ(period, strikes[i] - strikes[i - 1]) << count;
  }
}

TEST_F(ParticleSystemTest, EveryModeLeavesTheFrameDefaults) {
  camera.position = camera.eye = Vector3{0.0f, 0.0f, 3000.0f};
  const char* bodies[] = {"line\ndens 5\ntexture textures\\white.jpg\n",
                          "circ\ndens 5\nsize 100\ntexture textures\\white.jpg\n",
                          "flash\ndens 5\npoint1 V(0 0 -16100)\ntexture textures\\white.jpg\n"};
  for (const char* body : bodies) {
    SCOPED_TRACE(body);
    ParticleSystem* ps = One(body);
    ASSERT_NE(nullptr, ps);
    Frame({ps});  // before any event
    ExpectFrameDefaults();
    for (int i = 0; i < 40; ++i) Frame({ps}, 0.06);
    ExpectFrameDefaults();
    if (ps->mode == ParticleMode::kFlash) continue;  // the bolt strikes anywhere on its sphere
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] > 0;
    EXPECT_GT(lit, 0);
  }
}
