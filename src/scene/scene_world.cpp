// env.txt and worlds.txt, the scene registry and the frame walk.
#include "scene/scene_world.h"

#include <cstring>
#include <string>

#include "camera/camera_controller.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene/scene_file.h"
#include "scene/sphere.h"

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
    ScanValues(reader.line, "scenedir %s", nullptr, 0, world.sceneDir, sizeof world.sceneDir);
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

// [SECTION] hidden background
//
// The sky box and the env billboards fill much of the screen before the
// planet is drawn, and the first opaque sphere of the world (the ocean)
// then replaces every pixel of its disc. Its disc is marked in the stencil
// buffer first, and the objects drawn at infinity before it skip the marked
// pixels. That is exact when every other object drawn before it lies wholly
// behind it (its depth test then passes on the whole disc) and the objects
// skipped write no depth; otherwise the frame is drawn without the marks.

// Objects behind the cover must be at least this factor farther than its
// far side, so that a 24-bit depth buffer (near plane 80, far 5000000)
// still orders them: its step is under 0.1 % of the distance out there.
constexpr float kDepthMargin = 1.01f;

struct BackgroundPass {
  const SceneObject* cover = nullptr;  // the opaque sphere; null: nothing skipped
  bool beforeCover = false;            // true until the cover is drawn
};

// Nearest distance from the eye of a sphere bound, and the farthest.
float NearDistance(Vector3 eye, Vector3 centre, float radius) { return Length(Subtract(centre, eye)) - radius; }
float FarDistance(Vector3 eye, Vector3 centre, float radius) { return Length(Subtract(centre, eye)) + radius; }

// Whether every object of list up to `cover` (or all of it) is drawn at
// infinity or bounded wholly beyond `farthest` from the eye. Sets *reached
// when the cover is in the list.
bool AllBehind(const ObjectList* list, const SceneObject* cover, Vector3 eye, float farthest, bool* reached) {
  if (list == nullptr) return true;
  for (size_t i = 0; i < list->Count(); ++i) {
    const SceneObject* object = list->At(i);
    if (object == cover) {
      *reached = true;
      return true;
    }
    Vector3 centre;
    float radius = 0.0f;
    if (object->DrawnAtInfinity()) continue;
    if (!object->Bounds(&centre, &radius) || !(NearDistance(eye, centre, radius) > kDepthMargin * farthest))
      return false;
  }
  return true;
}

// The world's first sphere that overwrites its disc, when skipping the
// background under it keeps the picture exact; else null.
const Sphere* FindCover(const SceneWorld& world, Vector3 eye) {
  const Sphere* cover = nullptr;
  for (size_t i = 0; i < world.objects.Count() && cover == nullptr; ++i) {
    const SceneObject* object = world.objects.At(i);
    if (std::strcmp(object->KindName(), "sphere") == 0 && static_cast<const Sphere*>(object)->OverwritesItsDisc())
      cover = static_cast<const Sphere*>(object);
  }
  if (cover == nullptr) return nullptr;
  const float farthest = FarDistance(eye, cover->position, cover->radius);
  bool reached = false;
  if (!AllBehind(world.firstPass, cover, eye, farthest, &reached) || reached) return nullptr;
  if (!AllBehind(&world.objects, cover, eye, farthest, &reached) || !reached) return nullptr;
  return cover;
}

BackgroundPass MarkHiddenBackground(const SceneWorld& world, const CameraController& camera) {
  BackgroundPass pass;
  const Sphere* cover = FindCover(world, camera.eye);
  if (cover == nullptr) return pass;
  glClear(GL_STENCIL_BUFFER_BIT);
  cover->MarkDiscInStencil();
  glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
  glDisable(GL_STENCIL_TEST);
  pass.cover = cover;
  pass.beforeCover = true;
  return pass;
}

void RenderObject(SceneObject& object, const CameraController& camera, BackgroundPass& pass) {
  if (&object == pass.cover) pass.beforeCover = false;
  const bool skipMarked = pass.beforeCover && object.DrawnAtInfinity();
  if (skipMarked) glEnable(GL_STENCIL_TEST);
  object.Render(camera);
  if (skipMarked) glDisable(GL_STENCIL_TEST);
}

void RenderList(const ObjectList* list, const CameraController& camera, AfterObjectRender after, void* context,
                BackgroundPass& pass) {
  if (list == nullptr) return;
  for (size_t i = 0; i < list->Count(); ++i) {
    RenderObject(*list->At(i), camera, pass);
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
  BackgroundPass pass = MarkHiddenBackground(world, camera);
  RenderList(world.firstPass, camera, after, context, pass);
  RenderList(&world.objects, camera, after, context, pass);
  RenderList(world.postPass, camera, after, context, pass);
}
