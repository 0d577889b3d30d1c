// Flare: a glow sprite drawn flat on the screen over one point of the 3-D
// scene, usually the direction of the sun. Each frame it reads the depth
// buffer at its projected pixel to learn whether anything drawn before it
// hides the point, and fades in or out accordingly; it also turns, flickers
// at random, can brighten as the camera faces it (`focus`) and can add a
// lens effect (streaks and ghosts through the screen centre, lens_effect.h).
//
// An `env` flare marks a direction from the eye, seen through its own narrow
// frustum, as if infinitely far; an attached flare (`parent`) follows a named
// Sphere or Mesh with an offset in the parent's frame.
#pragma once

#include <cstdint>

#include "scene/lens_effect.h"
#include "scene/scene_file.h"
#include "scene/scene_object.h"

class Flare : public SceneObject {
 public:
  void Render(const CameraController& camera) override;
  void Update(double dt) override;
  const char* KindName() const override { return "flare"; }

  float level = 0.0f;             // intensity 0..1 (may overshoot by one Update step); starts dark
  float size = 10.0f;             // half height of the sprite, pixels of an 800 x 600 frame
  float lensSize = 5.0f;          // base half size of the ghosts, pixels of an 800 x 600 frame
  float fadeInRate = 6.0f;        // level per second while the point is unhidden
  float fadeOutRate = 6.0f;       // level per second while it is hidden
  float fov = 0.1f;               // half height of the env frustum at distance 1
  float rotationAngle = 0.0f;     // degrees 0..360, in the screen plane
  float rotationSpeed = 24.0f;    // degrees per second
  float aspect = 1.0f;            // sprite width / height (`xy`)
  float flickerTimer = 0.0f;      // flicker clock, 6 units per second
  float flickerRiseStart = 0.0f;  // clock value where the flicker turns from falling to rising
  float flickerEnd = 0.0f;        // clock value where a new flicker is drawn
  float flickerAmplitude = 0.0f;  // `flash`; scales the flicker durations
  float focus = 0.0f;             // dot-product threshold of the focus rule, below 1
  float lumin = 1.0f;             // brightness factor
  SceneObject* flareParent = nullptr;  // followed object, not owned; null: none
  bool occlusionVisible = false;  // the last depth test found the point unhidden
  bool hasLensEffect = false;
  bool isEnv = false;             // marks a direction from the eye
  bool hasFocus = false;
  bool hasOrient = false;
  Vector3 envOffset = {0.0f, 0.0f, 0.0f};    // env: direction from the eye; parent: offset in its frame
  Vector3 orientPoint = {0.0f, 0.0f, 0.0f};  // pixels; the orient rule turns the sprite towards it
  uint32_t lensTextures[kLensTextureSlots] = {};  // GL texture names; 0: not found

 private:
  void PlaceInWorld(const CameraController& camera);
  bool ProjectAndTestDepth(const CameraController& camera, Vector3* flareScreen);
  float FocusFactor(const CameraController& camera) const;
  void DrawGlow(const CameraController& camera, Vector3 flareScreen) const;
  void DrawSprite(FrameSize frame, Vector3 flareScreen, float alpha) const;
  void UpdateFade(double dt);
  void UpdateFlicker(double dt);
};

// The `flare` block parser (ObjectParser).
void ParseFlare(SceneReader& reader, ObjectList& list);
