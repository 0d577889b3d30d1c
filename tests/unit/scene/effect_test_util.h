// Shared set-up of the effect tests (flares, lens effects, flames, particle
// systems) that draw through OSMesa: a 160 x 120 frame with the saver's GL
// state, solid textures, a camera 200 units out on +z looking down -z and
// projecting onto that frame, the saver's frame order (Update, then Render), and the
// check that a Render left the frame defaults.
#pragma once

#include <cstdint>
#include <vector>

#include "camera/camera_controller.h"
#include "frame_defaults_check.h"
#include "platform/opengl.h"
#include "scene/frame_state.h"
#include "scene_test_util.h"
#include "settings/saver_settings.h"

struct Rgb {
  int r, g, b;
};

class EffectRenderTest : public SceneTest {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;
  static constexpr double kFrame = 1.0 / 60.0;  // seconds
  static constexpr FrameSize kFrameSize{kWidth, kHeight};

  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_TRUE(gl.Ready());
    InitSceneGlState(kFrameSize);
    AddStandardMeshes();
    InstallArchive();
    BuildSphereLists();
    RegisterTexture("textures\\white.jpg", SolidTexture(255, 255, 255));
    RegisterTexture("textures\\black.jpg", SolidTexture(0, 0, 0));
    camera.position = camera.eye = Vector3{0.0f, 0.0f, 200.0f};
    camera.frame = kFrameSize;
  }
  void TearDown() override {
    ResetSettings();
    SceneTest::TearDown();
  }

  // One saver frame over the given objects: Update(dt) on each, then clear,
  // frame defaults, the camera view and Render on each; the pixels are read.
  void Frame(const std::vector<SceneObject*>& objects, double dt = kFrame) {
    for (SceneObject* o : objects) o->Update(dt);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyFrameDefaults();
    glLoadIdentity();
    camera.ApplyView();
    for (SceneObject* o : objects) o->Render(camera);
    pixels = gl.ReadPixels();
  }

  // x from the left, y from the bottom.
  Rgb At(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * kWidth + x) * 4];
    return Rgb{p[0], p[1], p[2]};
  }

  GlTestContext gl{kWidth, kHeight};
  CameraController camera;
  std::vector<uint8_t> pixels;
};

inline bool IsBlack(Rgb c) { return c.r < 8 && c.g < 8 && c.b < 8; }
