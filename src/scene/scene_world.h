// Environments and worlds: env.txt declares named environments, each with a
// first-pass object file (drawn before the world, e.g. the star sky) and a
// post-pass one (drawn after it, e.g. the sun flares); worlds.txt declares
// named worlds, each with its environment, its own object file, a scene
// directory and the `system` flag. Also the process-wide scene registry and
// the frame walk over a world's three lists.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "scene/scene_object.h"
#include "scene/scene_values.h"

// World and environment names are 19 characters and a terminator. Longer
// values are cut.
constexpr size_t kSceneNameSize = 20;

struct SceneEnv {
  char name[kSceneNameSize] = {};
  ObjectList firstPass;  // drawn before the world's objects
  ObjectList postPass;   // drawn after them
};

struct SceneWorld {
  ObjectList objects;
  ObjectList* firstPass = nullptr;  // of its SceneEnv; null: no environment found
  ObjectList* postPass = nullptr;
  char name[kSceneNameSize] = {};
  bool system = false;  // a planetary system: the light sits at the origin
};

using EnvList = std::vector<std::unique_ptr<SceneEnv>>;
using WorldList = std::vector<std::unique_ptr<SceneWorld>>;

// Everything the scene files declared, in file order, and the world shown.
struct SceneRegistry {
  EnvList envs;
  WorldList worlds;
  SceneWorld* currentWorld = nullptr;
};
extern SceneRegistry sceneRegistry;

// Reads env.txt-style member: one SceneEnv per `env` block, loading the
// object files its `firstpass` and `postpass` lines name.
void LoadEnvFile(const char* member, EnvList& envs, ParseReport* report = nullptr);
// Reads worlds.txt-style member: one SceneWorld per `world` block; envs must
// be loaded already.
void LoadWorldsFile(const char* member, WorldList& worlds, const EnvList& envs,
                    ParseReport* report = nullptr);

// The first entry whose name equals name byte for byte, or null.
SceneEnv* FindEnv(const EnvList& envs, const char* name);
SceneWorld* FindWorld(const WorldList& worlds, const char* name);

// The loading steps of a saver run after the sphere lists: "env.txt", then
// "worlds.txt", the first world current, sceneClock 0.
void LoadScene(SceneRegistry& registry, ParseReport* report = nullptr);
// Just before the first frame: sceneClock 0 and the world "earth" current;
// when there is none, the first world; with no world at all, none (frames
// then show the cleared screen only).
void SelectStartWorld(SceneRegistry& registry);
// Deletes every object, world and environment.
void ReleaseScene(SceneRegistry& registry);

// Update(dt) on every object of the first pass, the world's objects and the
// post pass, each in file order.
void UpdateWorld(const SceneWorld& world, double dt);
// Called after each object's Render with the object and the caller's
// context; the frame profile finishes and times each object's drawing there.
using AfterObjectRender = void (*)(const SceneObject& object, void* context);

// Steps of a frame after the clear: frame defaults, the camera view on the
// modelview matrix, the lights (a `system` world lights from the origin,
// others from (0, 0, 1000000)), then Render on the three lists in order,
// each followed by `after` when it is not null.
void RenderWorld(const SceneWorld& world, const CameraController& camera, AfterObjectRender after = nullptr,
                 void* context = nullptr);
