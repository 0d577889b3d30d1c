// Mesh: a model drawn from the custom geometry slot (the last top-level
// `geometry` line above its block) with a position, a basis, a scale and a
// four-line material (metal, chrome, map1 texture, map2).
#pragma once

#include <cstdint>

#include "scene/scene_file.h"
#include "scene/scene_object.h"

// The base `look` and `right` are the model's x and y axes (not normalised).
class Mesh : public SceneObject {
 public:
  void Render(const CameraController& camera) override;
  // A mesh stands still.
  void Update(double) override {}
  const char* KindName() const override { return "mesh"; }

  uint32_t listId = 0;                      // the custom slot's list when `begin` was read
  float orientAngle = 0.0f;                 // degrees
  float scale = 1.0f;
  Vector3 orientAxis = {0.0f, 1.0f, 0.0f};
  bool metal = false;                       // material line 1: specular highlight with GL_LIGHT0
  bool additiveTexture = false;             // `light`: GL_ADD texture environment
  bool unlit = false;                       // `illum`
  bool blend = false;                       // alpha-blended at alpha color.x

 private:
  void ApplyBasis() const;
  void ApplyMaterial() const;
};

// The `mesh` block parser (ObjectParser).
void ParseMesh(SceneReader& reader, ObjectList& list);
