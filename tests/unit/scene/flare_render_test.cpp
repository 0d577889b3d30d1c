// Flares drawn through OSMesa: the depth test that decides visibility, the
// sprite at the projected point, the focus rule, attached flares, the lens
// ghosts along the line through the window centre, and the GL state every
// Render leaves behind.
#include <cmath>
#include <cstdlib>

#include "effect_test_util.h"
#include "scene/flare.h"
#include "scene/lens_effect.h"

namespace {

class FlareRenderTest : public EffectRenderTest {
 protected:
  // Parses text (a whole object file without ENDWORLD); returns its last object.
  template <class Kind = Flare>
  Kind* Load(const std::string& text) {
    list.Release();
    LoadObjects(text + "ENDWORLD\n", list);
    return list.Count() > 0 ? As<Kind>(list, list.Count() - 1) : nullptr;
  }
  void Frames(const std::vector<SceneObject*>& objects, int count) {
    for (int i = 0; i < count; ++i) Frame(objects);
  }
  ObjectList list;
};

// A white env flare of half size 8 pixels (40 at Width 800) that does not
// turn, in the direction offset from the eye.
std::string EnvFlare(const char* offset, const std::string& extra = "") {
  return std::string("flare\nbegin\nenv V(") + offset +
         ")\nFOV 0.5\nsize 40\nrotation 0 0\ntexture textures\\white.jpg\n" + extra + "end\n";
}

}  // namespace

// Through the FOV 0.5 frustum, V(40 20 -100) lands at pixel (128, 84).
TEST_F(FlareRenderTest, EnvFlareOverAClearDepthBufferFadesInAroundItsPoint) {
  Flare* f = Load(EnvFlare("40 20 -100"));
  ASSERT_NE(nullptr, f);
  Frame({f});  // the first frame only tests the depth
  EXPECT_TRUE(f->occlusionVisible);
  EXPECT_TRUE(IsBlack(At(128, 84)));
  Frames({f}, 12);
  EXPECT_GE(f->level, 1.0f);
  for (Rgb lit : {At(128, 84), At(128 + 6, 84), At(128, 84 - 6)}) EXPECT_GT(lit.r, 240);
  for (Rgb dark : {At(128 + 10, 84), At(128, 84 + 10), At(80, 60), At(5, 5)}) EXPECT_TRUE(IsBlack(dark));
}

TEST_F(FlareRenderTest, SphereDrawnInFrontHidesItAndItFadesOut) {
  // V(10 5 -100) lands at (92, 66), inside the sphere's 31-pixel disc.
  Load(std::string("sphere\nbegin ball\norbit\nlight\nposition V(0 0 0)\nradius 50\n"
                   "texture textures\\black.jpg\nend\n") +
       EnvFlare("10 5 -100"));
  SceneObject* ball = list.At(0);
  Flare* f = As<Flare>(list, 1);
  ASSERT_TRUE(ball && f);
  Frames({f}, 15);
  ASSERT_TRUE(f->occlusionVisible);
  ASSERT_GE(f->level, 1.0f);
  EXPECT_GT(At(92, 66).r, 240);
  Frame({ball, f});
  EXPECT_FALSE(f->occlusionVisible);
  Frames({ball, f}, 15);  // 6 per second down, 0.7 up: gone within 0.2 s
  EXPECT_FLOAT_EQ(0.0f, f->level);
  EXPECT_TRUE(IsBlack(At(92, 66)));
}

TEST_F(FlareRenderTest, PointsBehindTheCameraOrOutsideTheWindowNeverShow) {
  struct Case {
    std::string text;
    bool visible;
  };
  // flare block, whether its point counts as unhidden
  const Case cases[] = {
      {EnvFlare("0 0 100"), false},         // env direction behind the eye
      {EnvFlare("100 0 -100"), false},      // projects beyond the right edge
      {EnvFlare("-2 -1 -100"), true},       // just off the centre
      {"flare\nbegin\nposition V(0 0 400)\nsize 40\nend\n", false},  // world point behind the camera
      {"flare\nbegin\nposition V(0 0 -100)\nsize 40\nend\n", true},  // world point in front, nothing drawn
  };
  for (const Case& c : cases) {
    Flare* f = Load(c.text);
    ASSERT_NE(nullptr, f) << c.text;
    Frames({f}, 20);
    EXPECT_EQ(c.visible, f->occlusionVisible) << c.text;
    EXPECT_EQ(c.visible, f->level > 0.0f) << c.text;
  }
}

TEST_F(FlareRenderTest, FocusDimsTheSpriteAsTheViewTurnsAwayFromTheOffset) {
  struct Case {
    const char* offset;
    int red;
  };
  // env offset (FOV 2), expected red at its point: looking along it gives
  // factor 1, 20 degrees off gives (cos 20 - 0.8) / 0.2 = 0.70, 37 degrees 0
  const Case cases[] = {{"0 0 -100", 255}, {"36.397 0 -100", 178}, {"75.355 0 -100", 0}};
  for (const Case& c : cases) {
    Flare* f = Load(std::string("flare\nbegin\nenv V(") + c.offset +
                    ")\nFOV 2\nsize 40\nrotation 0 0\nfocus 0.8)\ntexture textures\\white.jpg\nend\n");
    ASSERT_NE(nullptr, f);
    f->level = 1.0f;
    f->occlusionVisible = true;
    f->fadeOutRate = 0.0f;
    Frame({f}, 0.0);
    float x = 80.0f + std::atof(c.offset) / 100.0f / (2.0f * 1.3333334f) * 80.0f;
    EXPECT_NEAR(c.red, At(int(x), 60).r, 6) << c.offset;
  }
}

TEST_F(FlareRenderTest, AttachedFlareFollowsItsParent) {
  // The parent's axes are right (1, 0, 0) and look (0, 0, 1): the offset's
  // y runs along right x look = (0, -1, 0). The camera sees 0.6 pixels per
  // unit at the origin.
  Flare* f = Load("sphere\nbegin earth\norbit\nposition V(0 0 0)\nend\n"
                  "flare\nbegin\nparent earth V(30 10 0)\nsize 40\nrotation 0 0\ntexture textures\\white.jpg\nend\n");
  ASSERT_NE(nullptr, f);
  Frames({f}, 15);
  EXPECT_FLOAT_EQ(30.0f, f->position.x);
  EXPECT_FLOAT_EQ(-10.0f, f->position.y);
  EXPECT_GT(At(98, 54).r, 240);
}

TEST_F(FlareRenderTest, LensGhostsLieAlongTheLineThroughTheWindowCentre) {
  // Sprite and streaks black: only the ghosts (slots 0 and 1) add light.
  Flare* f = Load(EnvFlare("40 20 -100",
                           "texture textures\\black.jpg\nlenseffect\n\tsize 20\n\ttexture textures\\white.jpg\n"
                           "\ttexture textures\\white.jpg\n\ttexture textures\\black.jpg\n"));
  ASSERT_NE(nullptr, f);
  Frames({f}, 12);
  const Vector3 flare = {128.0f, 84.0f, 0.0f}, centre = {80.0f, 60.0f, 0.0f};
  LensLayout layout;
  ASSERT_TRUE(LayOutLensEffect(flare, centre, &layout));
  // Ghost 9 lies beyond the centre (dist 1.8), ghost 10 behind the flare (-0.3).
  for (int i : {0, 9, 10, 19}) {
    Rgb c = At(int(layout.ghostCentre[i].x), int(layout.ghostCentre[i].y));
    EXPECT_GT(c.r, 15) << i;
  }
  // Every lit pixel lies near the line: at most 4.6 pixels of offset plus a
  // ghost of half size 4 * 1.3 * 1.5 = 7.8 across its diagonal.
  Vector3 along = Normalize(Subtract(centre, flare));
  int lit = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (IsBlack(At(x, y))) continue;
      ++lit;
      Vector3 d = Subtract(Vector3{x + 0.5f, y + 0.5f, 0.0f}, flare);
      float across = std::fabs(d.x * along.y - d.y * along.x);
      EXPECT_LT(across, 16.0f) << x << "," << y;
    }
  EXPECT_GT(lit, 100);
}

// Each ghost sits 2 * (2 - dist) pixels off its point on the axis, and the
// direction of that offset turns by 90 * ringDot * dist from one ghost to
// the next (a flare on the window diagonal has ringDot 1).
TEST(LensLayout, GhostOffsetsTurnFurtherWithEveryGhost) {
  LensLayout layout;
  const Vector3 flare = {600.0f, 450.0f, 0.0f}, centre = {400.0f, 300.0f, 0.0f};
  ASSERT_TRUE(LayOutLensEffect(flare, centre, &layout));
  EXPECT_NEAR(1.0f, layout.ringDot, 1e-6f);
  Vector3 previous = Normalize(Subtract(flare, centre));
  for (int i = 0; i < kLensGhostCount; ++i) {
    float dist = kLensGhosts[i].dist;
    Vector3 offset = Subtract(layout.ghostCentre[i], Add(flare, Scale(layout.axis, dist)));
    EXPECT_NEAR(2.0f * (2.0f - dist), Length(offset), 1e-3f) << i;
    float turn = std::acos(std::fmin(1.0f, Dot(Normalize(offset), previous))) * 57.29578f;
    EXPECT_NEAR(std::fabs(90.0f * dist), turn, 0.05f) << i;
    previous = Normalize(offset);
  }
}

TEST_F(FlareRenderTest, FlareAtTheExactCentreDrawsOnlyItsSprite) {
  LensLayout layout;
  EXPECT_FALSE(LayOutLensEffect(Vector3{80, 60, 0}, Vector3{80, 60, 0}, &layout));
  Flare* f = Load(EnvFlare("0 0 -100", "lenseffect\n\tsize 100\n\ttexture textures\\white.jpg\n"
                                       "\ttexture textures\\white.jpg\n\ttexture textures\\white.jpg\n"));
  ASSERT_NE(nullptr, f);
  Frames({f}, 12);
  EXPECT_GT(At(80, 60).r, 240);
  EXPECT_TRUE(IsBlack(At(80 + 12, 60)));
  EXPECT_TRUE(IsBlack(At(20, 20)));
}

TEST_F(FlareRenderTest, EveryFlareRenderLeavesTheFrameDefaults) {
  const std::string lens = "lenseffect\n\tsize 100\n\ttexture textures\\white.jpg\n\ttexture textures\\white.jpg\n"
                           "\ttexture textures\\white.jpg\n";
  const std::string texts[] = {
      EnvFlare("40 20 -100", lens + "orient V(400 300 0)\nfocus 0.5\n"),
      EnvFlare("0 0 -100", lens),
      EnvFlare("0 0 100", lens),
      "flare\nbegin\nposition V(0 0 -100)\nxy 2\nend\n",
      "sphere\nbegin p\nend\nflare\nbegin\nparent p V(0 10 0)\nend\n",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    Flare* f = Load(text);
    ASSERT_NE(nullptr, f);
    f->level = 1.0f;  // draw from the first frame on
    Frames({f}, 3);
    ExpectFrameDefaults();
  }
}
