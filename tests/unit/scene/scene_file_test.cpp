// The scene language machinery: keyword prefixes, value patterns, line
// classification and the top-level loop of object files.
#include <cmath>

#include "scene/billboard.h"
#include "scene/mesh.h"
#include "scene/scene_values.h"
#include "scene_test_util.h"

TEST(SceneValues, KeywordsMatchByPrefixOfTheirOwnLength) {
  struct Case {
    const char* line;
    const char* keyword;
    bool matches;
  };
  // line, keyword, matches
  const Case cases[] = {
      {"sphere", "sphere", true},        {"spheres and more", "sphere", true},
      {"spher", "sphere", false},        {"Sphere", "sphere", false},
      {"psycho", "ps", true},            {"//sphere", "sphere", false},
      {"\tmetal", "\tmetal", true},      {"metal", "\tmetal", false},
      {"orient off", "orient off", true}, {"orient of", "orient off", false},
      {"WORLD_ENDX", "WORLD_END", true}, {"", "end", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.matches, MatchKeyword(c.line, c.keyword)) << c.line;
}

TEST(SceneValues, ScanCountsValuesUpToTheFirstMismatch) {
  struct Case {
    const char* line;
    const char* pattern;
    int converted;
    float first;
  };
  // line, pattern, values converted, first value
  const Case cases[] = {
      {"radius 16200", "radius %f", 1, 16200.0f},
      {"radius\t  -3.5e2 trailing", "radius %f", 1, -350.0f},
      {"radius abc", "radius %f", 0, 0.0f},
      {"position V(1 2 3)", "position V(%f %f %f)", 3, 1.0f},
      {"position V( 1   2 3 )", "position V(%f %f %f)", 3, 1.0f},
      {"position   V(4 5)", "position V(%f %f %f)", 2, 4.0f},
      {"position (1 2 3)", "position V(%f %f %f)", 0, 0.0f},
      {"rotation V(0 0 1) 23.5 0.8", "rotation V(%f %f %f) %f %f", 5, 0.0f},
      {"flash 0 1 2", "flash %f %f %f)", 3, 0.0f},
  };
  for (const Case& c : cases) {
    float v[5] = {};
    EXPECT_EQ(c.converted, ScanValues(c.line, c.pattern, v, 5)) << c.line;
    EXPECT_FLOAT_EQ(c.first, v[0]) << c.line;
  }
}

TEST(SceneValues, HugeNumbersBecomeInfinityWithoutUndefinedBehaviour) {
  float v[1] = {};
  ASSERT_EQ(1, ScanValues("radius 1e999999", "radius %f", v, 1));
  EXPECT_TRUE(std::isinf(v[0]));
}

TEST(SceneValues, WordsAreCutAtCapacityAndTheRestOfTheWordSkipped) {
  char name[kObjectNameSize] = {};
  float v[3] = {};
  EXPECT_EQ(4, ScanValues("parent averyveryverylongname V(1 2 3)", "parent %s V(%f %f %f)", v, 3, name,
                          sizeof name));
  EXPECT_STREQ("averyveryveryl", name);
  EXPECT_FLOAT_EQ(3.0f, v[2]);
  EXPECT_EQ(0, ScanValues("begin", "begin %s", nullptr, 0, name, sizeof name));
}

TEST(ClassifyLine, TestsTheKindsInTheirFixedOrder) {
  struct Case {
    const char* line;
    ObjectKind kind;
  };
  // line, kind
  const Case cases[] = {
      {"sphere", ObjectKind::kSphere},        {"spherex", ObjectKind::kSphere},
      {"billboard", ObjectKind::kBillboard},  {"flare", ObjectKind::kFlare},
      {"flame", ObjectKind::kFlame},          {"mesh", ObjectKind::kMesh},
      {"ps", ObjectKind::kParticleSystem},    {"psst", ObjectKind::kParticleSystem},
      {"geometry meshes\\a.dat", ObjectKind::kGeometry}, {"dir scenes", ObjectKind::kDirectory},
      {"ENDWORLD", ObjectKind::kEndWorld},    {"//sphere", ObjectKind::kNone},
      {"BEGINWORLD", ObjectKind::kNone},      {"\tsphere", ObjectKind::kNone},
      {"", ObjectKind::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(c.kind, ClassifyLine(c.line)) << c.line;
}

using ObjectFileTest = SceneTest;

TEST_F(ObjectFileTest, DisabledBlockAddsNothingAndReportsNoProgress) {
  ObjectList list;
  LoadObjects("//sphere\nbegin earth\nradius 3\nend\nENDWORLD\n", list);
  EXPECT_EQ(0u, list.Count());
  EXPECT_EQ(0, native_platform::LoadingSteps());
}

TEST_F(ObjectFileTest, OnlyEndWorldAddsNothing) {
  ObjectList list;
  LoadObjects("ENDWORLD\nsphere\nbegin\nend\n", list);
  EXPECT_EQ(0u, list.Count());
  EXPECT_EQ(0, native_platform::LoadingSteps());
}

TEST_F(ObjectFileTest, OneLoadingStepPerObjectAndGeometryLine) {
  AddGeometryMember("meshes\\cube.dat", BuildEnvCube());
  GlTestContext gl(8, 8);
  ASSERT_TRUE(gl.Ready());
  ObjectList list;
  LoadObjects("filter\nsphere\nbegin a\nend\nbillboard\nbegin\nend\ngeometry meshes\\cube.dat\n"
              "mesh\nbegin m\nend\ndir x\nENDWORLD\n",
              list);
  EXPECT_EQ(3u, list.Count());
  EXPECT_EQ(4, native_platform::LoadingSteps());
}

TEST_F(ObjectFileTest, RejectedBlockIsSkippedUpToItsEnd) {
  ObjectList list;
  ParseReport report;
  LoadObjects("ps\nbegin\nsphere\nend\nsphere\nbegin s\nend\nENDWORLD\n", list, &report);
  ASSERT_EQ(1u, list.Count());
  EXPECT_STREQ("s", list.At(0)->name);
  EXPECT_EQ(2, native_platform::LoadingSteps());
}

TEST_F(ObjectFileTest, EndOfMemberEndsFileAndBlockWithoutTerminators) {
  ObjectList list;
  ParseReport report;
  LoadObjects("sphere\nbegin a\nradius 2", list, &report);
  Sphere* s = As<Sphere>(list, 0);
  ASSERT_NE(nullptr, s);
  EXPECT_FLOAT_EQ(2.0f, s->radius);
  ASSERT_FALSE(report.issues.empty());
  EXPECT_EQ("file ends without ENDWORLD", report.issues.back().message);
}

TEST_F(ObjectFileTest, ReportNamesFileLineAndObjectOfSkippedLines) {
  ObjectList list;
  ParseReport report;
  LoadObjects("BEGINWORLD\nsphere\nbegin e\nfilter\n//light\nradius x\nend\nENDWORLD\n", list, &report);
  ASSERT_EQ(4u, report.issues.size());
  EXPECT_EQ("objects.txt", report.issues[0].file);
  EXPECT_EQ(1, report.issues[0].line);
  EXPECT_EQ("unrecognised line \"BEGINWORLD\"", report.issues[0].message);
  EXPECT_EQ(nullptr, report.issues[0].object);
  EXPECT_EQ(4, report.issues[1].line);
  EXPECT_EQ(list.At(0), report.issues[1].object);
  EXPECT_EQ("disabled line \"//light\"", report.issues[2].message);
  EXPECT_EQ("values not readable: \"radius x\"", report.issues[3].message);
  EXPECT_FLOAT_EQ(5.0f, As<Sphere>(list, 0)->radius);  // the field keeps its value
}

TEST_F(ObjectFileTest, ParentResolvesOnlyToObjectsWrittenBefore) {
  ObjectList list;
  ParseReport report;
  LoadObjects("sphere\nbegin moon\nparent earth\nend\n"
              "sphere\nbegin earth\nend\n"
              "sphere\nbegin earth\nend\n"
              "sphere\nbegin moon2\nparent earth\nend\nENDWORLD\n",
              list, &report);
  ASSERT_EQ(4u, list.Count());
  EXPECT_EQ(nullptr, list.At(0)->parent);
  EXPECT_EQ(list.At(1), list.At(3)->parent);  // the first of the two named earth
  EXPECT_EQ(list.At(1), FindObject(list, "earth"));
  EXPECT_EQ(nullptr, FindObject(list, "Earth"));
}

TEST_F(ObjectFileTest, ParseStateStartsAgainInEveryFile) {
  ObjectList list;
  AddMember("a.txt", "sphere\nbegin\nmoon\nflash\ntexture textures\\c.tga\nend\nENDWORLD\n");
  AddMember("b.txt", "sphere\nbegin\nmoon\nflash\nend\nENDWORLD\n");
  InstallArchive();
  LoadObjectFile("a.txt", list);
  LoadObjectFile("b.txt", list);
  Sphere* second = As<Sphere>(list, 1);
  ASSERT_NE(nullptr, second);
  EXPECT_FLOAT_EQ(2.0f, second->moonSpeed);
  EXPECT_FLOAT_EQ(0.0f, second->flashTime);
  EXPECT_TRUE(second->flashOn);
  EXPECT_FALSE(second->alphaTexture);
}

TEST_F(ObjectFileTest, MissingFileIsReportedAndAddsNothing) {
  ObjectList list;
  ParseReport report;
  InstallArchive();
  LoadObjectFile("nothere.txt", list, &report);
  EXPECT_EQ(0u, list.Count());
  ASSERT_EQ(1u, report.issues.size());
  EXPECT_EQ("file not found in the archive", report.issues[0].message);
}
