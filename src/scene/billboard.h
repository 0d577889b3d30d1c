// Billboard: one textured square. Star patches and glows face the viewer;
// `orient off` panels keep the axes written in the file; `env` billboards sit
// at a fixed offset from the eye, drawn through their own frustum, as if
// infinitely far; `oreol` squares lie in the plane of a sphere's visible
// outline (a halo); parented billboards follow a named Sphere or Mesh.
#pragma once

#include <array>
#include <vector>

#include "image/texel_spans.h"
#include "scene/scene_file.h"
#include "scene/scene_object.h"

// The base `right` serves as the square's right axis alongside `up`.
class Billboard : public SceneObject {
 public:
  Billboard();  // draws the random spin rate

  void Render(const CameraController& camera) override;
  void Update(double dt) override;
  const char* KindName() const override { return "billboard"; }

  float spin = 0.0f;                  // degrees about the square's normal
  float size = 5.0f;                  // half the side, world units
  float alpha = 1.0f;                 // 0..1
  float tiling = 1.0f;                // texture repeats
  float spinRate = 0.0f;              // degrees per second; random in [-60, 60] until `rotation`
  float fov = 0.1f;                   // half height of the `env` frustum at distance 1
  float aspect = 1.0f;                // width / height (`xy`)
  float haloRadius = 1.0f;            // radius of the sphere an `oreol` square rings
  Vector3 up = {0.0f, 1.0f, 0.0f};    // unit; the viewer's up unless fixed
  Vector3 offset = {0.0f, 0.0f, 0.0f};  // from the eye (env), halo centre, or from the parent
  Vector3 tint = {1.0f, 1.0f, 1.0f};  // colour with a parent, each component 0..1
  bool isEnv = false;
  bool fixed = false;                 // `orient off`: axes from the file
  bool flash = false;
  bool alphaBlend = false;            // `blend`: (SRC_ALPHA, ONE_MINUS_SRC_ALPHA)
  bool noDepthTest = false;           // `depth`
  bool halo = false;                  // `oreol`
  bool satellite = false;             // `sys`
  float flashClock = 0.0f;            // seconds into the hide/show cycle
  float flashOff = 0.0f;              // seconds hidden per cycle
  float flashOn = 0.0f;               // seconds shown per cycle

 private:
  // Per band of a texture, the mipmap levels its fetches reach (1..TexelSpans::kMaxMipLevels).
  using LevelsPerBand = std::array<int, TexelSpans::kMaxBands>;

  float PlaceAndOrient(const CameraController& camera);  // returns the drawn half side
  void PlaceHalo(const CameraController& camera, float* drawSize);
  void OrientSatellite();
  void ApplyDrawState();
  void DrawSquare(float drawSize);
  TexelSpans* BoundTexelSpans() const;
  bool BandLevels(const TexelSpans& spans, float drawSize, const Vector3& w, LevelsPerBand* levels) const;
  float SpansShare(TexelSpans& spans, const LevelsPerBand& levels) const;
  void DrawSpans(TexelSpans& spans, float drawSize, const Vector3& w, const LevelsPerBand& levels);

  std::vector<int> topCuts, bottomCuts;  // DrawSpans' edge cuts, kept to reuse their storage
};

// The `billboard` block parser (ObjectParser).
void ParseBillboard(SceneReader& reader, ObjectList& list);
