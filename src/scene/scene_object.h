// SceneObject: the base of every object kind a scene file describes (Sphere,
// Billboard, Mesh, and the flare, flame and particle kinds), and ObjectList,
// the ordered list of the objects of one object file. Objects are created by
// their kind's parser, appended in file order, updated and drawn once per
// frame, and released only when the whole scene is (ReleaseScene).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "camera/vector3.h"

class CameraController;

// Object names are 14 characters and a terminator ("begin %s" of Sphere and
// Mesh blocks); longer names are cut.
constexpr size_t kObjectNameSize = 15;

class SceneObject {
 public:
  SceneObject() = default;
  virtual ~SceneObject() = default;
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  // Draws the object for the current frame. Enters and leaves with the
  // frame defaults (ApplyFrameDefaults); camera gives eye, forward and up.
  virtual void Render(const CameraController& camera) = 0;
  // Advances the animation by dt, seconds of real time since the last frame.
  virtual void Update(double dt) = 0;
  // The block keyword of the kind ("sphere", "billboard", ...), for tools.
  virtual const char* KindName() const = 0;

  // alphaTexture = name ends in "tga" (case-sensitive); textureId = the GL
  // name of the texture list entry whose path equals name. Returns false,
  // leaving textureId as it was, when the list holds no such path. The caller
  // sets hasTexture.
  bool SetTexture(const char* textureName);
  // Multiplies the current (modelview) matrix by a translation to position.
  void ApplyPosition() const;

  SceneObject* parent = nullptr;              // followed object, not owned; null: none
  Vector3 position = {0.0f, 0.0f, 0.0f};      // world units; recomputed each frame by moving kinds
  Vector3 look = {0.0f, 0.0f, 1.0f};          // Mesh model x axis; an attached flare's z
  Vector3 right = {1.0f, 0.0f, 0.0f};         // Mesh model y axis, Billboard square x; an attached flare's x
  Vector3 basePosition = {0.0f, 0.0f, 0.0f};  // position as written in the file
  Vector3 color = {1.0f, 1.0f, 1.0f};         // RGB, each component 0..1
  uint32_t textureId = 0;                     // GL texture name; 0: none
  char name[kObjectNameSize] = {};            // from "begin %s" (Sphere, Mesh); else empty
  bool hasTexture = false;                    // a texture (Mesh: map1) line was read
  bool alphaTexture = false;                  // last texture name ended in "tga"
};

// The objects of one object file in file order. It owns them.
class ObjectList {
 public:
  void Append(std::unique_ptr<SceneObject> object) { objects.push_back(std::move(object)); }
  size_t Count() const { return objects.size(); }
  SceneObject* At(size_t index) const { return objects[index].get(); }
  // Deletes every object.
  void Release() { objects.clear(); }

 private:
  std::vector<std::unique_ptr<SceneObject>> objects;
};

// The first object whose name equals name byte for byte, or null.
SceneObject* FindObject(const ObjectList& list, const char* name);
