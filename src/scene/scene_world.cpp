// env.txt and worlds.txt, the scene registry and the frame walk.
#include "scene/scene_world.h"

#include <cstring>
#include <string>

#include "camera/camera_controller.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene/scene_file.h"

SceneRegistry sceneRegistry;

namespace {

// Reads lines until one begins with the block keyword (true) or with the
// file's end marker or the member ends (false).
bool FindNextBlock(SceneReader& reader, const char* blockKeyword, const char* endMarker) {
  while (reader.Next()) {
    if (MatchKeyword(reader.line, blockKeyword)) return true;
    if (MatchKeyword(reader.line, endMarker)) return false;
    ReportUnrecognisedLine(reader, nullptr);
  }
  reader.Report(std::string("file ends without ") + endMarker);
  return false;
}

// The object file named on the current line by pattern ("firstpass %s").
void LoadNamedObjectFile(SceneReader& reader, const char* pattern, ObjectList& list) {
  char member[kMemberNameSize];
  if (ScanValues(reader.line, pattern, nullptr, 0, member, sizeof member) == 1)
    LoadObjectFile(member, list, reader.report);
  else
    reader.Report("line without a file name");
}

// The lines of an `env` block up to its "end".
void ReadEnvBlock(SceneReader& reader, SceneEnv& env) {
  while (!MatchKeyword(reader.line, "end")) {
    if (!reader.Next()) {
      reader.Report("block ends at the end of the file without \"end\"");
      return;
    }
    if (MatchKeyword(reader.line, "firstpass"))
      LoadNamedObjectFile(reader, "firstpass %s", env.firstPass);
    else if (MatchKeyword(reader.line, "postpass"))
      LoadNamedObjectFile(reader, "postpass %s", env.postPass);
    else if (!MatchKeyword(reader.line, "end"))
      ReportUnrecognisedLine(reader, nullptr);
  }
}

void ApplyWorldEnv(SceneReader& reader, const EnvList& envs, SceneWorld& world) {
  char envName[kSceneNameSize] = {};
  ScanValues(reader.line, "env %s", nullptr, 0, envName, sizeof envName);
  SceneEnv* env = FindEnv(envs, envName);
  world.firstPass = env != nullptr ? &env->firstPass : nullptr;
  world.postPass = env != nullptr ? &env->postPass : nullptr;
  if (env == nullptr) reader.Report(std::string("no environment named \"") + envName + "\"");
}

// One line of a `world` block.
void ReadWorldLine(SceneReader& reader, const EnvList& envs, SceneWorld& world) {
  if (MatchKeyword(reader.line, "env"))
    ApplyWorldEnv(reader, envs, world);
  else if (MatchKeyword(reader.line, "objects"))
    LoadNamedObjectFile(reader, "objects %s", world.objects);
  else if (MatchKeyword(reader.line, "system"))
    world.system = true;
  else if (MatchKeyword(reader.line, "scenedir"))
    return;  // accepted for older scene files; nothing uses the directory
  else if (!MatchKeyword(reader.line, "end"))
    ReportUnrecognisedLine(reader, nullptr);
}

void ReadWorldBlock(SceneReader& reader, const EnvList& envs, SceneWorld& world) {
  while (!MatchKeyword(reader.line, "end")) {
    if (!reader.Next()) {
      reader.Report("block ends at the end of the file without \"end\"");
      return;
    }
    ReadWorldLine(reader, envs, world);
  }
}

template <class Entry>
Entry* FindByName(const std::vector<std::unique_ptr<Entry>>& entries, const char* name) {
  for (const std::unique_ptr<Entry>& entry : entries)
    if (std::strcmp(entry->name, name) == 0) return entry.get();
  return nullptr;
}

void UpdateList(const ObjectList* list, double dt) {
  if (list == nullptr) return;
  for (size_t i = 0; i < list->Count(); ++i) list->At(i)->Update(dt);
}

void RenderList(const ObjectList* list, const CameraController& camera, AfterObjectRender after, void* context) {
  if (list == nullptr) return;
  for (size_t i = 0; i < list->Count(); ++i) {
    list->At(i)->Render(camera);
    if (after != nullptr) after(*list->At(i), context);
  }
}

void PlaceLights(bool system) {
  const GLfloat origin[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat sun[4] = {0.0f, 0.0f, 1000000.0f, 1.0f};
  if (system) {
    glLightfv(GL_LIGHT1, GL_POSITION, origin);
  } else {
    glLightfv(GL_LIGHT1, GL_POSITION, sun);
    glLightfv(GL_LIGHT0, GL_POSITION, sun);
  }
}

}  // namespace

void LoadEnvFile(const char* member, EnvList& envs, ParseReport* report) {
  SceneReader reader(report);
  if (!reader.Open(member)) return;
  while (FindNextBlock(reader, "env", "ENV_END")) {
    auto env = std::make_unique<SceneEnv>();
    ScanValues(reader.line, "env %s", nullptr, 0, env->name, sizeof env->name);
    ReadEnvBlock(reader, *env);
    envs.push_back(std::move(env));
  }
}

void LoadWorldsFile(const char* member, WorldList& worlds, const EnvList& envs, ParseReport* report) {
  SceneReader reader(report);
  if (!reader.Open(member)) return;
  while (FindNextBlock(reader, "world", "WORLD_END")) {
    auto world = std::make_unique<SceneWorld>();
    ScanValues(reader.line, "world %s", nullptr, 0, world->name, sizeof world->name);
    ReadWorldBlock(reader, envs, *world);
    worlds.push_back(std::move(world));
  }
}

SceneEnv* FindEnv(const EnvList& envs, const char* name) { return FindByName(envs, name); }

SceneWorld* FindWorld(const WorldList& worlds, const char* name) { return FindByName(worlds, name); }

void LoadScene(SceneRegistry& registry, ParseReport* report) {
  LoadEnvFile("env.txt", registry.envs, report);
  LoadWorldsFile("worlds.txt", registry.worlds, registry.envs, report);
  registry.currentWorld = registry.worlds.empty() ? nullptr : registry.worlds.front().get();
  sceneClock = 0.0f;
}

void SelectStartWorld(SceneRegistry& registry) {
  sceneClock = 0.0f;
  SceneWorld* earth = FindWorld(registry.worlds, "earth");
  if (earth != nullptr) registry.currentWorld = earth;
}

void ReleaseScene(SceneRegistry& registry) {
  registry.currentWorld = nullptr;
  registry.worlds.clear();
  registry.envs.clear();
}

void UpdateWorld(const SceneWorld& world, double dt) {
  UpdateList(world.firstPass, dt);
  UpdateList(&world.objects, dt);
  UpdateList(world.postPass, dt);
}

void RenderWorld(const SceneWorld& world, const CameraController& camera, AfterObjectRender after, void* context) {
  ApplyFrameDefaults();
  glLoadIdentity();
  camera.ApplyView();
  PlaceLights(world.system);
  RenderList(world.firstPass, camera, after, context);
  RenderList(&world.objects, camera, after, context);
  RenderList(world.postPass, camera, after, context);
}
