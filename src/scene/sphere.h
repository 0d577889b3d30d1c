// Sphere: planets and everything layered on them (ocean, land, lights,
// clouds, atmosphere shells, the depth-only mask), the sky box around the
// viewer (`env`), moons, satellites and flashing layers. Also the standard
// sphere display lists every Sphere draws from, built once before the scene
// files are read.
#pragma once

#include <cstdint>

#include "scene/geometry.h"
#include "scene/lit_faces.h"
#include "scene/scene_file.h"
#include "scene/scene_object.h"

class Sphere : public SceneObject {
 public:
  Sphere();  // draws two random texture offsets

  void Render(const CameraController& camera) override;
  void Update(double dt) override;
  const char* KindName() const override { return "sphere"; }

  uint32_t listId = 0;                      // display list drawn; the sphere list from `begin`
  Vector3 rotationAxis = {0.0f, 1.0f, 0.0f};
  float angle = 0.0f;                       // degrees, advanced by Update
  float rate = 0.2f;                        // degrees per second
  float radius = 5.0f;                      // world units
  float alpha = 1.0f;                       // 0..1; below 1 takes the translucent branch
  float fov = 1.0f;                         // half height of the `env` frustum at distance 1
  float tiling = 1.0f;                      // texture repeats
  float detiling = 0.0f;                    // degrees of extra rotation and texture shift
  float flashTime = 1.0f;                   // seconds into the current flash phase
  float flashPeriod = 1.0f;                 // seconds of the current flash phase
  float texOffsetS = 0.0f, texOffsetT = 0.0f;  // 0..1, new on every flash
  float texRotation = 0.0f;                 // degrees 0..180, new on every random flash
  Vector3 orientAxis = {1.0f, 0.0f, 0.0f};
  float orientAngle = 90.0f;                // degrees; turns the file's z poles to -y
  float shininess = 15.6f;                 // exponent of the `specular` highlight, 0..128
  float period = 365.0f;                    // orbit angle is 5000 / period * sceneClock
  bool isEnv = false;                       // sky box around the eye
  bool unlit = false;                       // `light`: drawn without lighting; does not revolve
  bool isAtmosphere = false;                // `atmo`/`scatter`: view-aligned shell
  bool wire = false;
  bool revolves = true;                     // `orbit` clears it
  bool noDepthWrite = false;                // `depth`
  bool isMask = false;                      // writes depth only
  bool flash = false;
  bool flashOn = false;
  bool randomFlash = false;                 // `rnd`
  bool satellite = false;                   // `sys`: circles its parent
  bool polarSatellite = false;              // `uranmoon`
  bool planetOrbit = false;                 // `plt`: the wide ellipse
  bool specular = false;
  bool sunGlint = false;                    // `glint`: draws only the sun's reflection, masked by the texture
  float glintBrightness = 1.0f;             // 0..1, the glint's centre at full sun
  bool nightSide = false;                   // `night`: shows only where the sun does not shine
  bool clockTurned = false;                 // `clock`: follows the real day and night when it is on
  float clockDrift = 0.0f;                  // degrees per second against the ground, from `clock`
  float clockDriftAngle = 0.0f;             // degrees of drift so far, advanced by Update
  float startAngle = 0.0f;                  // degrees, the angle of the rotation line
  bool isMoon = false;                      // `moon`: circles its base position about rotationAxis
  float moonAngle = 0.0f;                   // degrees
  float moonSpeed = 0.5f;                   // degrees of moon orbit per second of sceneClock

 private:
  bool HasParentForSatellite() const { return satellite && parent != nullptr; }
  bool ShowsGlint() const { return sunGlint && !nightSide; }
  void EnterEnvFrustum(const CameraController& camera);
  void LeaveEnvFrustum(const CameraController& camera);
  void ApplyRotation();
  float ClockSpin() const;
  void ApplyAlpha();
  void ApplyHighlight();
  void FaceViewer(const CameraController& camera);
  void ApplyFlash();
  void ApplyWire();
  void ApplyMaskAndSatellite();
  void Draw();
  LitFaces* FacesLeftDark();
  void DrawScan();
  void UpdateOrbit(float orbitAngle);
  void UpdateSatellite();
  void UpdateFlash(double dt);
};

// The `sphere` block parser (ObjectParser).
void ParseSphere(SceneReader& reader, ObjectList& list);

// Display lists of the atmosphere (`atmo`, alpha 3x^2 - 0.6) and scattering
// (`scatter`, alpha 1.6x + 1.6) shells and of the finer sphere of `glint`
// layers, the faces of the sphere and glint lists for the layers lit by one
// light alone, and the sphere geometry that the scan of wire spheres draws
// triangle by triangle.
struct SphereLists {
  uint32_t atmosphere = 0;  // GL display list name; 0: not built
  uint32_t scatter = 0;
  uint32_t glint = 0;       // the finer sphere of `glint` layers
  LitFaces sphereFaces;     // the sphere slot's list, face by face
  LitFaces glintFaces;      // the glint list, face by face
  GeometryData scanGeometry;
};
extern SphereLists sphereLists;

// Once before the scene files are read: loads the env, sphere and noised
// sphere geometry slots (in that order), builds the two shell lists from
// "meshes\sphere.dat", the glint sphere and the faces of the sphere slot's
// and the glint sphere's lists. Needs a current GL context.
void BuildSphereLists();
// Keeps "meshes\sphere.dat" in memory for the scan of wire spheres.
void LoadScanSphere();
// Forgets the list names and frees the scan geometry (the GL lists go with
// the context); the slots are reset by ResetGeometrySlots.
void ReleaseSphereLists();
