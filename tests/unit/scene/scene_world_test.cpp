// env.txt and worlds.txt, the start world, and the frame walk over a
// world's three lists.
#include <string>
#include <vector>

#include "camera/camera_controller.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene_test_util.h"

namespace {

using SceneWorldTest = SceneTest;

const char* kEnvFile = "env envip\nfirstpass firstpass.txt\npostpass postpass.txt\nend\nENV_END\n";
const char* kWorldsFile =
    "world mars\nenv envip\nobjects mars.txt\nend\n"
    "world earth\nenv envip\nobjects world.txt\nscenedir scenes\\space\\\nsystem\nend\nWORLD_END\n";

// Records the order in which the frame walk reaches it.
class Recorder : public SceneObject {
 public:
  Recorder(std::vector<std::string>* log, const char* tag) : log(log), tag(tag) {}
  void Render(const CameraController&) override { log->push_back(std::string("render ") + tag); }
  void Update(double) override { log->push_back(std::string("update ") + tag); }
  const char* KindName() const override { return "recorder"; }

 private:
  std::vector<std::string>* log;
  const char* tag;
};

}  // namespace

TEST_F(SceneWorldTest, LoadsEnvironmentsWorldsAndTheirObjectFiles) {
  AddMember("env.txt", kEnvFile);
  AddMember("worlds.txt", kWorldsFile);
  AddMember("firstpass.txt", "billboard\nbegin\nend\nbillboard\nbegin\nend\nENDWORLD\n");
  AddMember("postpass.txt", "billboard\nbegin\nend\nENDWORLD\n");
  AddMember("world.txt", "sphere\nbegin earth\nend\nENDWORLD\n");
  AddMember("mars.txt", "ENDWORLD\n");
  InstallArchive();
  LoadScene(sceneRegistry);
  ASSERT_EQ(1u, sceneRegistry.envs.size());
  ASSERT_EQ(2u, sceneRegistry.worlds.size());
  EXPECT_EQ(sceneRegistry.worlds[0].get(), sceneRegistry.currentWorld);  // the first world until the start
  SceneEnv* env = FindEnv(sceneRegistry.envs, "envip");
  ASSERT_NE(nullptr, env);
  EXPECT_EQ(2u, env->firstPass.Count());
  EXPECT_EQ(1u, env->postPass.Count());
  SceneWorld* earth = FindWorld(sceneRegistry.worlds, "earth");
  ASSERT_NE(nullptr, earth);
  EXPECT_EQ(&env->firstPass, earth->firstPass);
  EXPECT_EQ(&env->postPass, earth->postPass);
  EXPECT_EQ(1u, earth->objects.Count());
  EXPECT_TRUE(earth->system);
  EXPECT_FALSE(sceneRegistry.worlds[0]->system);
  EXPECT_EQ(4, native_platform::LoadingSteps());

  SelectStartWorld(sceneRegistry);
  EXPECT_EQ(earth, sceneRegistry.currentWorld);
}

TEST_F(SceneWorldTest, StartWorldFallsBackToTheFirstAndThenToNone) {
  AddMember("env.txt", "ENV_END\n");
  AddMember("worlds.txt", "world moon\nend\nworld mars\nend\nWORLD_END\n");
  InstallArchive();
  LoadScene(sceneRegistry);
  SelectStartWorld(sceneRegistry);
  ASSERT_NE(nullptr, sceneRegistry.currentWorld);
  EXPECT_STREQ("moon", sceneRegistry.currentWorld->name);

  ReleaseScene(sceneRegistry);
  AddMember("worlds.txt", "WORLD_END\n");
  InstallArchive();
  LoadScene(sceneRegistry);
  SelectStartWorld(sceneRegistry);
  EXPECT_EQ(nullptr, sceneRegistry.currentWorld);
}

TEST_F(SceneWorldTest, UnknownEnvironmentLeavesTheWorldWithoutPassLists) {
  AddMember("env.txt", kEnvFile);
  AddMember("worlds.txt", "world earth\nenv nowhere\nend\nWORLD_END\n");
  AddMember("firstpass.txt", "ENDWORLD\n");
  AddMember("postpass.txt", "ENDWORLD\n");
  InstallArchive();
  ParseReport report;
  LoadScene(sceneRegistry, &report);
  ASSERT_EQ(1u, sceneRegistry.worlds.size());
  EXPECT_EQ(nullptr, sceneRegistry.worlds[0]->firstPass);
  EXPECT_EQ(nullptr, sceneRegistry.worlds[0]->postPass);
  ASSERT_EQ(1u, report.issues.size());
  EXPECT_EQ("worlds.txt", report.issues[0].file);
  EXPECT_EQ(2, report.issues[0].line);
  UpdateWorld(*sceneRegistry.worlds[0], 0.1);  // empty passes, no null dereference
}

TEST_F(SceneWorldTest, FilesWithoutTerminatorsEndAtTheEndOfTheMember) {
  AddMember("env.txt", "env a\nfirstpass f.txt\n");
  AddMember("worlds.txt", "world w\nenv a\nobjects f.txt");
  AddMember("f.txt", "sphere\nbegin\n");
  InstallArchive();
  LoadScene(sceneRegistry);
  ASSERT_EQ(1u, sceneRegistry.envs.size());
  ASSERT_EQ(1u, sceneRegistry.worlds.size());
  EXPECT_EQ(1u, sceneRegistry.envs[0]->firstPass.Count());
  EXPECT_EQ(1u, sceneRegistry.worlds[0]->objects.Count());
  EXPECT_EQ(&sceneRegistry.envs[0]->firstPass, sceneRegistry.worlds[0]->firstPass);
}

TEST_F(SceneWorldTest, DuplicateWorldNamesAreKeptAndTheFirstIsFound) {
  AddMember("env.txt", "ENV_END\n");
  AddMember("worlds.txt", "world planet0\nend\nworld planet0\nsystem\nend\nWORLD_END\n");
  InstallArchive();
  LoadScene(sceneRegistry);
  ASSERT_EQ(2u, sceneRegistry.worlds.size());
  EXPECT_EQ(sceneRegistry.worlds[0].get(), FindWorld(sceneRegistry.worlds, "planet0"));
}

TEST_F(SceneWorldTest, FrameWalksFirstPassObjectsAndPostPassInOrder) {
  GlTestContext gl(8, 8);
  ASSERT_TRUE(gl.Ready());
  InitSceneGlState(FrameSize{8, 8});
  std::vector<std::string> log;
  SceneEnv env;
  env.firstPass.Append(std::make_unique<Recorder>(&log, "sky"));
  env.postPass.Append(std::make_unique<Recorder>(&log, "flare"));
  SceneWorld world;
  world.firstPass = &env.firstPass;
  world.postPass = &env.postPass;
  world.objects.Append(std::make_unique<Recorder>(&log, "earth"));
  world.objects.Append(std::make_unique<Recorder>(&log, "clouds"));
  UpdateWorld(world, 0.01);
  CameraController camera;
  RenderWorld(world, camera);
  const std::vector<std::string> expected = {"update sky", "update earth", "update clouds", "update flare",
                                             "render sky", "render earth", "render clouds", "render flare"};
  EXPECT_EQ(expected, log);
}

TEST_F(SceneWorldTest, SystemWorldsAreLitFromTheOrigin) {
  GlTestContext gl(8, 8);
  ASSERT_TRUE(gl.Ready());
  InitSceneGlState(FrameSize{8, 8});
  CameraController camera;  // at the origin looking down -z: the view is the identity
  SceneWorld world;
  GLfloat light1[4], light0[4];
  RenderWorld(world, camera);
  glGetLightfv(GL_LIGHT1, GL_POSITION, light1);
  glGetLightfv(GL_LIGHT0, GL_POSITION, light0);
  EXPECT_FLOAT_EQ(1000000.0f, light1[2]);
  EXPECT_FLOAT_EQ(1000000.0f, light0[2]);
  world.system = true;
  RenderWorld(world, camera);
  glGetLightfv(GL_LIGHT1, GL_POSITION, light1);
  EXPECT_FLOAT_EQ(0.0f, light1[2]);
  EXPECT_FLOAT_EQ(1.0f, light1[3]);
}
