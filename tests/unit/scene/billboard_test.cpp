// Billboard blocks: the keyword table and Update's spin and flash timing.
#include "scene/billboard.h"
#include "scene_test_util.h"

namespace {

class BillboardTest : public SceneTest {
 protected:
  Billboard* One(const std::string& body) {
    LoadObjects("billboard\nbegin\n" + body + "end\nENDWORLD\n", list);
    return list.Count() == 1 ? As<Billboard>(list, 0) : nullptr;
  }
  ObjectList list;
};

}  // namespace

TEST_F(BillboardTest, RotationRateIsWrittenPerSixtiethOfASecond) {
  Billboard* b = One("rotation 135 0.5\n");
  ASSERT_NE(nullptr, b);
  EXPECT_FLOAT_EQ(135.0f, b->spin);
  EXPECT_FLOAT_EQ(30.0f, b->spinRate);
}

TEST_F(BillboardTest, WithoutRotationItSpinsAtARandomRate) {
  Billboard* b = One("");
  ASSERT_NE(nullptr, b);
  EXPECT_GE(b->spinRate, -60.0f);
  EXPECT_LE(b->spinRate, 60.0f);
  EXPECT_NE(0.0f, b->spinRate);
}

TEST_F(BillboardTest, NegativeSpinWrapsAtTheFirstUpdate) {
  Billboard* b = One("rotation -45 0\n");
  ASSERT_NE(nullptr, b);
  b->Update(0.0);
  EXPECT_FLOAT_EQ(315.0f, b->spin);
}

TEST_F(BillboardTest, FlashHidesForTheOffTimeOfEveryCycle) {
  Billboard* b = One("flash 0 1 2)\n");
  ASSERT_NE(nullptr, b);
  EXPECT_TRUE(b->flash);
  const double steps[] = {0.5, 0.6, 1.0, 1.0, 0.5};
  const bool hidden[] = {true, false, false, true, true};  // clock 0.5, 1.1, 2.1, 0.1 (3.1 wrapped), 0.6
  for (int i = 0; i < 5; ++i) {
    b->Update(steps[i]);
    EXPECT_EQ(hidden[i], b->flashClock < b->flashOff) << i;
  }
}

TEST_F(BillboardTest, FixedAxesAreNormalisedWhenRead) {
  Billboard* b = One("orient off\nup V(0 2 0)\nright V(0 0 -3)\nright V(0 0 0)\n");
  ASSERT_NE(nullptr, b);
  EXPECT_TRUE(b->fixed);
  EXPECT_FLOAT_EQ(1.0f, b->up.y);
  EXPECT_FLOAT_EQ(-1.0f, b->right.z);  // the zero vector is refused
}

TEST_F(BillboardTest, KeywordLinesSetTheirFields) {
  struct Case {
    const char* line;
    bool (*check)(const Billboard&);
  };
  // keyword line, the field it must have set
  const Case cases[] = {
      {"size 12", [](const Billboard& b) { return b.size == 12.0f; }},
      {"tiling 3", [](const Billboard& b) { return b.tiling == 3.0f; }},
      {"FOV 0.5", [](const Billboard& b) { return b.fov == 0.5f; }},
      {"alpha 0.9", [](const Billboard& b) { return b.alpha == 0.9f; }},
      {"blend", [](const Billboard& b) { return b.alphaBlend; }},
      {"depth", [](const Billboard& b) { return b.noDepthTest; }},
      {"sys", [](const Billboard& b) { return b.satellite; }},
      {"env V(-20 20 0)", [](const Billboard& b) { return b.isEnv && b.offset.x == -20.0f; }},
      {"oreol V(1 2 3) 16200", [](const Billboard& b) { return b.halo && b.offset.z == 3.0f && b.haloRadius == 16200.0f; }},
      {"position V(1 2 3)", [](const Billboard& b) { return b.position.y == 2.0f; }},
      {"color V(1 0 0)", [](const Billboard& b) { return b.tint.x == 1.0f && b.tint.y == 0.0f; }},
      {"xy 2", [](const Billboard& b) { return b.aspect == 2.0f; }},
      {"orient on", [](const Billboard& b) { return !b.fixed; }},
  };
  for (const Case& c : cases) {
    list.Release();
    Billboard* b = One(std::string(c.line) + "\n");
    ASSERT_NE(nullptr, b) << c.line;
    EXPECT_TRUE(c.check(*b)) << c.line;
  }
}

TEST_F(BillboardTest, ParentLineTakesTheNameAndTheOffset) {
  LoadObjects("sphere\nbegin sun\nend\nbillboard\nbegin sun\nparent sun V(0 5 0)\nend\n"
              "billboard\nbegin\nparent moon V(0 5 0)\nend\nENDWORLD\n",
              list);
  ASSERT_EQ(3u, list.Count());
  Billboard* b = As<Billboard>(list, 1);
  EXPECT_EQ(list.At(0), b->parent);
  EXPECT_FLOAT_EQ(5.0f, b->offset.y);
  EXPECT_STREQ("", b->name);  // billboards ignore the begin word
  EXPECT_EQ(nullptr, list.At(2)->parent);
}
