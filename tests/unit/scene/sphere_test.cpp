// Sphere blocks: the keyword table and the per-file parse state, and the
// per-frame motion of Update.
#include <cmath>

#include "scene_test_util.h"

namespace {

class SphereTest : public SceneTest {
 protected:
  // Parses the file and returns its spheres.
  std::vector<Sphere*> Spheres(const std::string& text) {
    LoadObjects(text, list);
    std::vector<Sphere*> spheres;
    for (size_t i = 0; i < list.Count(); ++i) spheres.push_back(As<Sphere>(list, i));
    return spheres;
  }
  Sphere* One(const std::string& body) {
    std::vector<Sphere*> s = Spheres("sphere\nbegin s\n" + body + "end\nENDWORLD\n");
    return s.size() == 1 ? s[0] : nullptr;
  }
  ObjectList list;
};

void ExpectVector(Vector3 expected, Vector3 actual, float tolerance = 1e-4f) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

}  // namespace

TEST_F(SphereTest, BareBlockTakesTheDefaults) {
  geometrySlots[int(GeometrySlot::kSphere)].listId = 7;
  Sphere* s = One("");
  ASSERT_NE(nullptr, s);
  EXPECT_STREQ("s", s->name);
  EXPECT_EQ(7u, s->listId);
  EXPECT_FLOAT_EQ(5.0f, s->radius);
  EXPECT_FLOAT_EQ(0.2f, s->rate);
  ExpectVector({0, 1, 0}, s->rotationAxis);
  EXPECT_FLOAT_EQ(90.0f, s->orientAngle);
  EXPECT_TRUE(s->revolves);
  EXPECT_FALSE(s->hasTexture);
  EXPECT_GE(s->texOffsetS, 0.0f);
  EXPECT_LE(s->texOffsetT, 1.0f);
}

TEST_F(SphereTest, KeywordLinesSetTheirFields) {
  geometrySlots[int(GeometrySlot::kEnv)].listId = 11;
  geometrySlots[int(GeometrySlot::kNoisedSphere)].listId = 12;
  geometrySlots[int(GeometrySlot::kCustom)].listId = 13;
  sphereLists.atmosphere = 14;
  sphereLists.scatter = 15;
  sphereLists.glint = 16;
  struct Case {
    const char* line;
    bool (*check)(const Sphere&);
  };
  // keyword line, the field it must have set
  const Case cases[] = {
      {"radius 16200", [](const Sphere& s) { return s.radius == 16200.0f; }},
      {"FOV 0.5", [](const Sphere& s) { return s.fov == 0.5f; }},
      {"alpha 0.999", [](const Sphere& s) { return s.alpha == 0.999f; }},
      {"tiling 4", [](const Sphere& s) { return s.tiling == 4.0f; }},
      {"detiling 120", [](const Sphere& s) { return s.detiling == 120.0f; }},
      {"period 30", [](const Sphere& s) { return s.period == 30.0f; }},
      {"env", [](const Sphere& s) { return s.isEnv && s.rate == 0.0f && s.listId == 11; }},
      {"lighting", [](const Sphere& s) { return s.unlit; }},
      {"specular", [](const Sphere& s) { return s.specular; }},
      {"night", [](const Sphere& s) { return s.nightSide; }},
      {"glint", [](const Sphere& s) { return s.sunGlint && s.glintBrightness == 1.0f && s.listId == 16; }},
      {"glint 0.8", [](const Sphere& s) { return s.sunGlint && s.glintBrightness == 0.8f; }},
      {"glint 7", [](const Sphere& s) { return s.glintBrightness == 1.0f; }},  // brightness 0..1
      {"glint 1e999", [](const Sphere& s) { return s.glintBrightness == 1.0f; }},
      {"glint -2", [](const Sphere& s) { return s.sunGlint && s.glintBrightness == 0.0f; }},
      {"glint nan", [](const Sphere& s) { return s.glintBrightness == 0.0f; }},
      {"glint bright", [](const Sphere& s) { return s.sunGlint && s.glintBrightness == 1.0f; }},
      {"shininess 40", [](const Sphere& s) { return s.shininess == 40.0f; }},
      {"shininess 1e999", [](const Sphere& s) { return s.shininess == 128.0f; }},  // OpenGL's range: 0..128
      {"shininess -3", [](const Sphere& s) { return s.shininess == 0.0f; }},
      {"shininess nan", [](const Sphere& s) { return s.shininess == 0.0f; }},
      {"shininess", [](const Sphere& s) { return s.shininess == 15.6f; }},
      {"depth", [](const Sphere& s) { return s.noDepthWrite; }},
      {"wire", [](const Sphere& s) { return s.wire; }},
      {"sys", [](const Sphere& s) { return s.satellite; }},
      {"noised", [](const Sphere& s) { return s.listId == 12; }},
      {"uranmoon", [](const Sphere& s) { return s.polarSatellite; }},
      {"plt", [](const Sphere& s) { return s.planetOrbit; }},
      {"mask", [](const Sphere& s) { return s.isMask; }},
      {"list", [](const Sphere& s) { return s.listId == 13; }},
      {"orbit", [](const Sphere& s) { return !s.revolves; }},
      {"rnd", [](const Sphere& s) { return s.randomFlash; }},
      {"atmo", [](const Sphere& s) { return s.isAtmosphere && s.listId == 14; }},
      {"scatter", [](const Sphere& s) { return s.isAtmosphere && s.listId == 15; }},
      {"rotation V(0 0 1) 23.5 0.8",
       [](const Sphere& s) { return s.rotationAxis.z == 1.0f && s.angle == 23.5f && s.rate == 0.8f; }},
      {"orient V(0 1 0) 45", [](const Sphere& s) { return s.orientAxis.y == 1.0f && s.orientAngle == 45.0f; }},
      {"color V(0.5 0.25 1)", [](const Sphere& s) { return s.color.x == 0.5f && s.color.y == 0.25f; }},
      {"clock", [](const Sphere& s) { return s.clockTurned && s.clockDrift == 0.0f; }},
      {"clock -0.03", [](const Sphere& s) { return s.clockTurned && s.clockDrift == -0.03f; }},
  };
  for (const Case& c : cases) {
    list.Release();
    Sphere* s = One(std::string(c.line) + "\n");
    ASSERT_NE(nullptr, s) << c.line;
    EXPECT_TRUE(c.check(*s)) << c.line;
  }
}

TEST_F(SphereTest, OrbitBeforePositionKeepsTheFileValue) {
  std::vector<Sphere*> s = Spheres(
      "sphere\nbegin a\nposition V(10 0 0)\norbit\nend\n"
      "sphere\nbegin b\norbit\nposition V(10 0 0)\nend\nENDWORLD\n");
  ASSERT_EQ(2u, s.size());
  ExpectVector({-1990, 0, 0}, s[0]->basePosition);
  ExpectVector({-1990, 0, 0}, s[0]->position);
  ExpectVector({10, 0, 0}, s[1]->basePosition);
}

TEST_F(SphereTest, MoonSpeedsShrinkByAQuarterPerMoon) {
  std::vector<Sphere*> s = Spheres(
      "sphere\nbegin\nmoon\nend\nsphere\nbegin\nend\nsphere\nbegin\nmoon\nend\n"
      "sphere\nbegin\nmoon\nend\nENDWORLD\n");
  ASSERT_EQ(4u, s.size());
  EXPECT_FLOAT_EQ(2.0f, s[0]->moonSpeed);
  EXPECT_FALSE(s[1]->isMoon);
  EXPECT_FLOAT_EQ(0.5f, s[1]->moonSpeed);
  EXPECT_FLOAT_EQ(1.5f, s[2]->moonSpeed);
  EXPECT_FLOAT_EQ(1.125f, s[3]->moonSpeed);
}

TEST_F(SphereTest, FlashingSpheresStartAtStaggeredPhases) {
  std::string text;
  for (int i = 0; i < 5; ++i) text += "sphere\nbegin\nflash\nend\n";
  std::vector<Sphere*> s = Spheres(text + "ENDWORLD\n");
  ASSERT_EQ(5u, s.size());
  const float times[5] = {0.0f, 0.25f, 0.0f, 0.25f, 0.5f};
  const bool on[5] = {true, true, false, false, false};
  for (int i = 0; i < 5; ++i) {
    EXPECT_NEAR(times[i], s[i]->flashTime, 1e-6f) << i;
    EXPECT_EQ(on[i], s[i]->flashOn) << i;
    EXPECT_FLOAT_EQ(0.5f, s[i]->flashPeriod);
  }
}

TEST_F(SphereTest, AlphaTextureCarriesOverToTheNextSphereWithoutTexture) {
  RegisterTexture("textures\\clouds.tga", 21);
  RegisterTexture("textures\\ocean.jpg", 22);
  std::vector<Sphere*> s = Spheres(
      "sphere\nbegin\ntexture textures\\ocean.jpg\nend\n"
      "sphere\nbegin\ntexture textures\\clouds.tga\nend\n"
      "sphere\nbegin\nend\n"
      "sphere\nbegin\natmo\ntexture textures\\clouds.tga\nend\n"
      "sphere\nbegin\ntexture textures\\clouds.tga\nscatter\nend\nENDWORLD\n");
  ASSERT_EQ(5u, s.size());
  EXPECT_FALSE(s[0]->alphaTexture);
  EXPECT_EQ(22u, s[0]->textureId);
  EXPECT_TRUE(s[1]->alphaTexture);
  EXPECT_TRUE(s[2]->alphaTexture);
  EXPECT_FALSE(s[2]->hasTexture);
  EXPECT_TRUE(s[3]->alphaTexture);   // the texture line after atmo wins
  EXPECT_FALSE(s[4]->alphaTexture);  // scatter after the texture line clears it
}

TEST_F(SphereTest, UnknownTextureKeepsThePreviousNameButMarksTheLine) {
  ParseReport report;
  LoadObjects("sphere\nbegin\ntexture textures\\none.TGA\nend\nENDWORLD\n", list, &report);
  Sphere* s = As<Sphere>(list, 0);
  ASSERT_NE(nullptr, s);
  EXPECT_TRUE(s->hasTexture);
  EXPECT_EQ(0u, s->textureId);
  EXPECT_FALSE(s->alphaTexture);  // upper-case TGA does not mark alpha
  ASSERT_EQ(1u, report.issues.size());
  EXPECT_EQ("texture not in the texture list: textures\\none.TGA", report.issues[0].message);
}

TEST_F(SphereTest, AngleWrapsOnceAbove360) {
  Sphere* s = One("rotation V(0 1 0) 359.9 0.2\norbit\nlight\n");
  ASSERT_NE(nullptr, s);
  s->Update(1.0);
  EXPECT_NEAR(0.1f, s->angle, 1e-3f);
}

TEST_F(SphereTest, RevolvingSphereTurnsAboutYByItsOrbitAngle) {
  Sphere* s = One("position V(2010 0 0)\nperiod 50\n");
  ASSERT_NE(nullptr, s);
  s->Update(0.0);
  ExpectVector({10, 0, 0}, s->position);  // the clock stands at 0
  sceneClock = 0.9f;                      // orbit angle 5000 / 50 * 0.9 = 90 degrees
  s->Update(0.0);
  ExpectVector({0, 0, 10}, s->position);
}

TEST_F(SphereTest, PlanetOrbitFollowsTheEllipse) {
  Sphere* s = One("plt\n");
  ASSERT_NE(nullptr, s);
  s->Update(0.0);
  ExpectVector({618000, 123600, 0}, s->position, 0.5f);
}

TEST_F(SphereTest, MoonTurnsAboutItsAxisWithTheClock) {
  Sphere* s = One("orbit\nposition V(10 0 0)\nrotation V(0 0 1) 0 0\nmoon\n");
  ASSERT_NE(nullptr, s);
  sceneClock = 45.0f;  // moon angle 2 * 45 = 90 degrees
  s->Update(0.0);
  EXPECT_FLOAT_EQ(90.0f, s->angle);
  ExpectVector({0, -10, 0}, s->position);
}

TEST_F(SphereTest, SatelliteCirclesItsParentOnlyWhenTheParentExists) {
  std::vector<Sphere*> s = Spheres(
      "sphere\nbegin planet\norbit\nposition V(100 0 0)\nend\n"
      "sphere\nbegin sat\norbit\nsys\nparent planet\nposition V(0 0 5)\nrotation V(0 1 0) 90 0\nend\n"
      "sphere\nbegin lost\norbit\nsys\nuranmoon\nparent nothing\nposition V(0 0 5)\nend\nENDWORLD\n");
  ASSERT_EQ(3u, s.size());
  s[1]->Update(0.0);
  ExpectVector({-5, 0, 0}, s[1]->position);
  s[2]->Update(0.0);
  ExpectVector({0, 0, 5}, s[2]->position);  // no parent: as if `sys` were absent
}

TEST_F(SphereTest, PolarSatelliteStandsBesideItsParent) {
  std::vector<Sphere*> s = Spheres(
      "sphere\nbegin planet\norbit\nposition V(0 0 100)\nend\n"
      "sphere\nbegin sat\norbit\nsys\nuranmoon\nparent planet\nposition V(5 0 0)\n"
      "rotation V(0 1 0) 0 0\nend\nENDWORLD\n");
  ASSERT_EQ(2u, s.size());
  s[1]->Update(0.0);
  ExpectVector({5, 0, 0}, s[1]->position);  // (0,1,0) x (0,0,100) normalised, times 5
}

TEST_F(SphereTest, FlashTimerTogglesAndDrawsNewOffsets) {
  Sphere* s = One("flash\n");
  ASSERT_NE(nullptr, s);
  ASSERT_TRUE(s->flashOn);
  s->Update(0.6);  // past the 0.5 s period: now off
  EXPECT_FALSE(s->flashOn);
  EXPECT_NEAR(0.1f, s->flashTime, 1e-5f);
  float offset = s->texOffsetS;
  s->Update(0.5);  // on again, with new offsets
  EXPECT_TRUE(s->flashOn);
  EXPECT_NE(offset, s->texOffsetS);
  EXPECT_GE(s->texRotation, 0.0f);
  EXPECT_LE(s->texRotation, 180.0f);
}

TEST_F(SphereTest, RandomFlashPeriodsStayInTheirRanges) {
  Sphere* s = One("flash\nrnd\n");
  ASSERT_NE(nullptr, s);
  for (int frame = 0; frame < 400; ++frame) {
    s->Update(0.05);
    EXPECT_GE(s->flashPeriod, s->flashOn ? 0.4f : 0.1f);
    EXPECT_LE(s->flashPeriod, s->flashOn ? 0.8f : 0.2f);
  }
}

TEST_F(SphereTest, ZeroPeriodLeavesTheOrbitAtRest) {
  Sphere* s = One("period 0\nposition V(2010 0 0)\n");
  ASSERT_NE(nullptr, s);
  sceneClock = 3.0f;
  s->Update(0.0);
  ExpectVector({10, 0, 0}, s->position);
}
