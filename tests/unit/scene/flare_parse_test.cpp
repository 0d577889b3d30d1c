// Flare blocks: the keyword table, pixel sizes kept as written (for an
// 800 x 600 frame; drawing scales them), rates written per 1/60 s, and the
// positional lens-effect lines.
#include "scene/flare.h"
#include "scene_test_util.h"
#include "settings/saver_settings.h"

namespace {

class FlareParseTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    settings.Width = 800;
  }
  void TearDown() override {
    ResetSettings();
    SceneTest::TearDown();
  }
  Flare* One(const std::string& body, ParseReport* report = nullptr) {
    LoadObjects("flare\nbegin\n" + body + "end\nENDWORLD\n", list, report);
    return list.Count() == 1 ? As<Flare>(list, 0) : nullptr;
  }
  ObjectList list;
};

}  // namespace

TEST_F(FlareParseTest, SizesAreKeptAsWrittenWhateverTheDisplaySetting) {
  settings.Width = 1600;  // read by nothing: the drawn frame scales the sizes
  Flare* f = One("size 850\nlenseffect\n\tsize 100\n\ttexture a\n\ttexture b\n\ttexture c\n");
  ASSERT_NE(nullptr, f);
  EXPECT_FLOAT_EQ(850.0f, f->size);
  EXPECT_FLOAT_EQ(100.0f, f->lensSize);
}

TEST_F(FlareParseTest, KeywordLinesSetTheirFields) {
  struct Case {
    const char* line;
    bool (*check)(const Flare&);
  };
  // keyword line, the fields it must have set
  const Case cases[] = {
      {"alpha 1 fade: 0.1 0.2", [](const Flare& f) { return f.fadeInRate == 6.0f && f.fadeOutRate == 12.0f; }},
      {"rotation 45 0.3", [](const Flare& f) { return f.rotationAngle == 45.0f && f.rotationSpeed == 18.0f; }},
      {"rotation 0 -0.3", [](const Flare& f) { return f.rotationSpeed == -18.0f; }},
      // The closing parenthesis belongs to the pattern and may be left out.
      {"flash 0.1", [](const Flare& f) { return f.flickerAmplitude == 0.1f; }},
      {"flash 0.2)", [](const Flare& f) { return f.flickerAmplitude == 0.2f; }},
      {"focus 0.8)", [](const Flare& f) { return f.hasFocus && f.focus == 0.8f; }},
      {"focus x", [](const Flare& f) { return !f.hasFocus; }},
      {"env V(0 0 100)", [](const Flare& f) { return f.isEnv && f.envOffset.z == 100.0f; }},
      {"orient V(400 300 0)", [](const Flare& f) { return f.hasOrient && f.orientPoint.x == 400.0f; }},
      {"texture textures\\ray.jpg", [](const Flare& f) { return f.hasTexture && f.textureId == 7u; }},
  };
  for (const Case& c : cases) {
    ResetProcessState();
    settings.Width = 800;
    RegisterTexture("textures\\ray.jpg", 7);
    list.Release();
    Flare* f = One(std::string(c.line) + "\n");
    ASSERT_NE(nullptr, f) << c.line;
    EXPECT_TRUE(c.check(*f)) << c.line;
  }
}

TEST_F(FlareParseTest, ParentResolvesInTheSameFileWithItsOffset) {
  LoadObjects("sphere\nbegin earth\nend\nflare\nbegin\nparent earth V(1 2 3)\nend\n"
              "flare\nbegin\nparent moon V(4 5 6)\nend\nENDWORLD\n",
              list);
  ASSERT_EQ(3u, list.Count());
  Flare* attached = As<Flare>(list, 1);
  Flare* orphan = As<Flare>(list, 2);
  ASSERT_TRUE(attached && orphan);
  EXPECT_EQ(list.At(0), attached->flareParent);
  EXPECT_EQ(nullptr, attached->parent);  // the base link stays unused
  EXPECT_FLOAT_EQ(3.0f, attached->envOffset.z);
  EXPECT_EQ(nullptr, orphan->flareParent);
  EXPECT_FLOAT_EQ(6.0f, orphan->envOffset.z);
}

TEST_F(FlareParseTest, LensEffectFillsTheTextureSlotsInOrder) {
  RegisterTexture("textures\\tlens.jpg", 11);
  RegisterTexture("textures\\lens4.jpg", 12);
  Flare* f = One("lenseffect\n\tsize 100\n\ttexture textures\\tlens.jpg\n\ttexture textures\\missing.jpg\n"
                 "\ttexture textures\\lens4.jpg\nrotation 0 0\n");
  ASSERT_NE(nullptr, f);
  EXPECT_TRUE(f->hasLensEffect);
  EXPECT_FLOAT_EQ(100.0f, f->lensSize);
  EXPECT_EQ(11u, f->lensTextures[0]);
  EXPECT_EQ(0u, f->lensTextures[1]);  // not in the texture list: the slot stays 0
  EXPECT_EQ(12u, f->lensTextures[2]);
  EXPECT_FALSE(f->alphaTexture);
  EXPECT_FLOAT_EQ(0.0f, f->rotationSpeed);  // lines after the four are keywords again
}

TEST_F(FlareParseTest, LensLinesAreTakenByPositionNotByKeyword) {
  // The four lines after "lenseffect" are lens lines whatever they say: a
  // "rotation" among them sets nothing, and a TGA lens texture marks alpha.
  Flare* f = One("lenseffect\nrotation 0 0\n\ttexture a.tga\n\ttexture b\n\ttexture c\n");
  ASSERT_NE(nullptr, f);
  EXPECT_FLOAT_EQ(24.0f, f->rotationSpeed);
  EXPECT_FLOAT_EQ(5.0f, f->lensSize);
  EXPECT_TRUE(f->alphaTexture);
}

TEST_F(FlareParseTest, ShortLensEffectStillEndsItsBlockAtEnd) {
  ParseReport report;
  LoadObjects("flare\nbegin\nlenseffect\n\tsize 100\nend\nsphere\nbegin s\nend\nENDWORLD\n", list, &report);
  ASSERT_EQ(2u, list.Count());
  EXPECT_TRUE(As<Flare>(list, 0)->hasLensEffect);
  EXPECT_STREQ("s", list.At(1)->name);
  EXPECT_EQ(2, native_platform::LoadingSteps());
}
