// Flame blocks: the keyword table (size added to 2000), the ring geometry,
// and drawing: translucent bands, an opaque outline, the frame defaults.
#include <cmath>

#include "effect_test_util.h"
#include "scene/flame.h"

namespace {

class FlameTest : public EffectRenderTest {
 protected:
  Flame* One(const std::string& body) {
    list.Release();
    LoadObjects("flame\nbegin\n" + body + "end\nENDWORLD\n", list);
    return list.Count() == 1 ? As<Flame>(list, 0) : nullptr;
  }
  ObjectList list;
};

}  // namespace

TEST_F(FlameTest, KeywordLinesSetTheirFields) {
  struct Case {
    const char* line;
    bool (*check)(const Flame&);
  };
  // keyword line, the fields it must have set
  const Case cases[] = {
      {"", [](const Flame& f) { return f.radius == 0.8f && f.offset == 0.2f && f.colorFrom.y == 1.0f; }},
      {"size 0", [](const Flame& f) { return f.radius == 2000.0f; }},
      {"size -1990", [](const Flame& f) { return f.radius == 10.0f; }},
      {"orient V(1 2 3)", [](const Flame& f) { return f.centre.z == 3.0f; }},
      {"colorto V(0 1 0)", [](const Flame& f) { return f.colorTo.y == 1.0f && f.colorTo.z == 0.0f; }},
      {"texture textures\\white.jpg", [](const Flame& f) { return f.hasTexture && f.textureId != 0u; }},
      {"parent nobody", [](const Flame& f) { return f.parent == nullptr; }},
  };
  for (const Case& c : cases) {
    Flame* f = One(std::string(c.line) + "\n");
    ASSERT_NE(nullptr, f) << c.line;
    EXPECT_TRUE(c.check(*f)) << c.line;
  }
}

TEST_F(FlameTest, RingHeightFollowsTheSlopeOfTheRingItself) {
  Flame* f = One("size -1990\nangle 1\nell 2\n");
  ASSERT_NE(nullptr, f);
  Vector3 first = f->RingPoint(0, 10.0f), half = f->RingPoint(100, 10.0f), last = f->RingPoint(200, 10.0f);
  EXPECT_FLOAT_EQ(20.0f, first.x);
  EXPECT_FLOAT_EQ(20.0f, first.y);  // radius * ellipse * slope
  EXPECT_NEAR(-20.0f, half.y, 1e-3f);
  EXPECT_NEAR(first.x, last.x, 1e-3f);
  EXPECT_NEAR(first.z, last.z, 1e-3f);
  // A band point on a wider ring keeps the ring's height.
  EXPECT_FLOAT_EQ(first.y, f->RingPoint(0, 15.0f).y);
  EXPECT_FLOAT_EQ(30.0f, f->RingPoint(0, 15.0f).x);
}

// Seen from above, the ring of radius 101.25 lands 40.5 pixels from the
// centre (0.4 pixels per unit at 300 units).
TEST_F(FlameTest, OutlineIsOpaqueOverTheAdditiveBands) {
  camera.position = camera.eye = Vector3{0.0f, 300.0f, 0.0f};
  camera.forward = Vector3{0.0f, -1.0f, 0.0f};
  camera.up = Vector3{0.0f, 0.0f, -1.0f};
  Flame* f = One("size -1898.75\noffset 20\ncolorfrom V(1 0 0)\ncolorto V(0 0 1)\n");
  ASSERT_NE(nullptr, f);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);  // green shows where blending kept it
  Frame({f});
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  int outline = 0;
  for (int x = 80; x < kWidth; ++x) {
    Rgb c = At(x, 60);
    if (c.r > 240 && c.g < 10) ++outline;  // replaced, not added to
  }
  EXPECT_GE(outline, 1);
  Rgb band = At(80 + 38, 60);  // inside the inward band: red added to green
  EXPECT_GT(band.r, 60);
  EXPECT_GT(band.g, 240);
  EXPECT_EQ(0, At(80, 60).r);  // the centre stays clear
  ExpectFrameDefaults();
}
