// The real day and night drawn through OSMesa: a `clock` sphere textured
// with a map whose texels encode their own longitude (red) and latitude
// (green), seen from the sun's side, shows under the sun the subsolar point
// of the instant; 12 hours later the other hemisphere faces the sun.
#include <cmath>

#include "camera/camera_controller.h"
#include "scene/day_night.h"
#include "scene/frame_state.h"
#include "scene_test_util.h"

namespace {

constexpr int kSide = 120;      // pixels; the sphere's disc is 60 pixels across
constexpr int kMapWidth = 256;  // texels; red = column
constexpr int kMapHeight = 128; // texels; green = 2 * row, row 0 at the south pole

// The map: texel (column, row) holds (column, 2 * row, 0); nearest texel.
uint32_t CoordinateMap() {
  std::vector<uint8_t> texels;
  for (int row = 0; row < kMapHeight; ++row)
    for (int column = 0; column < kMapWidth; ++column)
      texels.insert(texels.end(), {uint8_t(column), uint8_t(2 * row), 0});
  return RgbTexture(kMapWidth, kMapHeight, texels.data(), GL_NEAREST);
}

double WrapHalfTurn(double degrees) { return std::remainder(degrees, 360.0); }

class DayNightRenderTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetDayNight();
    ASSERT_TRUE(gl.Ready());
    InitSceneGlState(FrameSize{kSide, kSide});
    AddStandardMeshes();
    InstallArchive();
    BuildSphereLists();
    RegisterTexture("textures\\map.jpg", CoordinateMap());
    camera.position = camera.eye = Vector3{0, 0, 200};  // on the sun's side (+z)
    camera.frame = FrameSize{kSide, kSide};
  }
  void TearDown() override {
    ResetDayNight();
    SceneTest::TearDown();
  }

  // Loads a world of one unlit Earth layer with the given `clock` line,
  // advances it by seconds and returns the geographic point drawn at the
  // centre of the disc (the point facing the sun), degrees.
  SubsolarPoint PointUnderTheSun(const char* clockLine, double seconds) {
    world.objects.Release();
    LoadObjects(std::string("sphere\nbegin earth\norbit\nlight\nposition V(0 0 0)\nradius 50\n"
                            "rotation V(0 0 1) 0 -0.3\n") + clockLine + "\ntexture textures\\map.jpg\nend\nENDWORLD\n",
                world.objects);
    UpdateWorld(world, seconds);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderWorld(world, camera);
    std::vector<uint8_t> pixels = gl.ReadPixels();
    const uint8_t* centre = &pixels[(size_t(kSide / 2) * kSide + kSide / 2) * 4];
    SubsolarPoint drawn;
    drawn.longitude = (centre[0] + 0.5) / kMapWidth * 360.0 - 180.0;
    drawn.latitude = (centre[1] / 2 + 0.5) / kMapHeight * 180.0 - 90.0;
    return drawn;
  }

  GlTestContext gl{kSide, kSide};
  CameraController camera;
  SceneWorld world;
};

constexpr double kDrawnTolerance = 2.5;  // degrees: one texel is 1.4, the mesh's flat faces add about 1

}  // namespace

TEST_F(DayNightRenderTest, TheSubsolarPointFacesTheSunAndTheOtherHemisphereTwelveHoursLater) {
  struct Case {
    UtcDateTime utc;
    const char* clockLine;
    double seconds;      // of Update before drawing
    double driftDegrees; // expected drift of the layer against the ground
  } const cases[] = {
      // instant                    clock line     seconds drift
      {{2026, 6, 21, 6, 0, 0}, "clock", 0.0, 0.0},        // northern summer, morning over Asia
      {{2026, 6, 21, 18, 0, 0}, "clock", 0.0, 0.0},       // 12 hours later: over the Pacific east
      {{2026, 12, 21, 12, 0, 0}, "clock", 0.0, 0.0},      // southern summer, over Africa
      {{2026, 12, 21, 12, 0, 0}, "clock -0.03", 1000.0, -30.0},  // a cloud layer drifts west
  };
  for (const Case& c : cases) {
    ShowRealDayNight(c.utc);
    SubsolarPoint expected = dayNight.sun;
    SubsolarPoint drawn = PointUnderTheSun(c.clockLine, c.seconds);
    SCOPED_TRACE(testing::Message() << c.utc.month << "-" << c.utc.day << "T" << c.utc.hour << " " << c.clockLine);
    EXPECT_NEAR(expected.latitude, drawn.latitude, kDrawnTolerance);
    EXPECT_NEAR(0.0, WrapHalfTurn(expected.longitude + c.driftDegrees - drawn.longitude), kDrawnTolerance);
  }
  // The two June instants 12 hours apart put opposite longitudes under the sun.
  ShowRealDayNight(UtcDateTime{2026, 6, 21, 6, 0, 0});
  double morning = PointUnderTheSun("clock", 0.0).longitude;
  ShowRealDayNight(UtcDateTime{2026, 6, 21, 18, 0, 0});
  double evening = PointUnderTheSun("clock", 0.0).longitude;
  EXPECT_NEAR(180.0, std::fabs(WrapHalfTurn(morning - evening)), 2.0 * kDrawnTolerance);
}

TEST_F(DayNightRenderTest, WithTheRealDayAndNightOffTheLayerSpinsByItsOwnRate) {
  // Spin -0.3 degrees a second for 100 s: -30; longitude spin - 90 faces the sun.
  SubsolarPoint drawn = PointUnderTheSun("clock", 100.0);
  EXPECT_NEAR(0.0, WrapHalfTurn(-30.0 - 90.0 - drawn.longitude), kDrawnTolerance);
  EXPECT_NEAR(0.0, drawn.latitude, kDrawnTolerance);
}

TEST_F(DayNightRenderTest, FollowingTheRealDayAndNightReadsThePlatformsUtcClock) {
  const UtcDateTime instant{2026, 3, 20, 14, 46, 0};
  native_platform::SetUtcTime(instant);
  FollowRealDayNight(true);
  EXPECT_TRUE(dayNight.on);
  EXPECT_DOUBLE_EQ(SubsolarPointAt(instant).longitude, dayNight.sun.longitude);
  FollowRealDayNight(false);
  EXPECT_FALSE(dayNight.on);
}
