// Flame: a still, untextured ring of colour hanging in world space, an
// ellipse that can be tilted, with four translucent bands fanning out from
// it (up, down, inwards, outwards) that fade from colorFrom at the ring to a
// fully transparent colorTo at their outer edges, and an opaque outline.
// It does not move; the saver's own scene has none, but scene files may.
#pragma once

#include "scene/scene_file.h"
#include "scene/scene_object.h"

// Points on the ring, the last equal to the first.
constexpr int kFlameRingPoints = 201;

class Flame : public SceneObject {
 public:
  void Render(const CameraController& camera) override;
  void Update(double) override {}
  const char* KindName() const override { return "flame"; }

  // The ring point at index i (0..200) for the ring radius r along z; the
  // height always follows the ring itself (r = radius), also for the points
  // of the inward and outward bands.
  Vector3 RingPoint(int i, float r) const;

  Vector3 centre = {0.0f, 0.0f, 0.0f};     // world units; `orient`
  Vector3 colorFrom = {1.0f, 1.0f, 0.0f};  // on the ring, drawn opaque; each 0..1
  Vector3 colorTo = {0.0f, 0.0f, 1.0f};    // at the bands' outer edges, drawn transparent
  float offset = 0.2f;                     // width of each band, world units
  float radius = 0.8f;                     // along z, world units; `size` adds 2000
  float slope = 0.0f;                      // height gained per unit of x (`angle`)
  float ellipse = 1.0f;                    // x radius / z radius (`ell`)

 private:
  // One band into the current triangle strip: its outer edge lies lift
  // offsets above the ring and on a ring widen offsets wider.
  void EmitBand(float lift, float widen) const;
  void DrawOutline() const;
};

// The `flame` block parser (ObjectParser).
void ParseFlame(SceneReader& reader, ObjectList& list);
