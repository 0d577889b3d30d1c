// Drawing through real OpenGL (Mesa's OSMesa), pixels read back: what each
// kind puts on the screen, and the GL state every Render leaves for the next
// object.
#include <cmath>

#include "camera/camera_controller.h"
#include "frame_defaults_check.h"
#include "platform/opengl.h"
#include "scene/billboard.h"
#include "scene/frame_state.h"
#include "scene/mesh.h"
#include "scene_test_util.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

struct Rgb {
  int r, g, b;
};

// A unit square in the z = 0 plane facing +z, as a geometry file.
GeometryData Square() {
  GeometryData g;
  g.vertices = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
  g.faceVertices = {0, 1, 2, 0, 2, 3};
  g.faceTexCoords = {0, 1, 2, 0, 2, 3};
  g.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
  g.normals.assign(6, Vector3{0, 0, 1});
  return g;
}

class SceneRenderTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_TRUE(gl.Ready());
    InitSceneGlState(FrameSize{kWidth, kHeight});
    AddStandardMeshes();
    AddGeometryMember("meshes\\square.dat", Square());
    InstallArchive();
    BuildSphereLists();
    LoadScanSphere();
    RegisterTexture("textures\\white.jpg", SolidTexture(255, 255, 255));
    RegisterTexture("textures\\red.jpg", SolidTexture(255, 0, 0));
    RegisterTexture("textures\\green.jpg", SolidTexture(0, 255, 0));
    camera.position = camera.eye = Vector3{0, 0, 200};
    camera.frame = FrameSize{kWidth, kHeight};
  }

  // Parses the object file into the world and draws one frame.
  void Draw(const std::string& text) {
    world.objects.Release();
    LoadObjects(text + "ENDWORLD\n", world.objects);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderWorld(world, camera);
    pixels = gl.ReadPixels();
  }

  // x from the left, y from the bottom.
  Rgb At(int x, int y) const {
    const uint8_t* p = &pixels[(size_t(y) * kWidth + x) * 4];
    return Rgb{p[0], p[1], p[2]};
  }
  float DepthAt(int x, int y) const {
    float depth = 0;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
  }

  GlTestContext gl{kWidth, kHeight};
  CameraController camera;
  SceneWorld world;
  std::vector<uint8_t> pixels;
};

bool IsBlack(Rgb c) { return c.r < 8 && c.g < 8 && c.b < 8; }

}  // namespace

// The camera stands 200 units out on +z; the frame's frustum shows a half
// height of 100 units at that distance, 60 pixels.
TEST_F(SceneRenderTest, OpaqueTexturedSphereCoversTheCentre) {
  Draw("sphere\nbegin earth\norbit\nposition V(0 0 0)\nradius 50\ntexture textures\\red.jpg\nend\n");
  Rgb centre = At(80, 60);
  EXPECT_GT(centre.r, 150);
  EXPECT_LT(centre.g, 30);
  EXPECT_TRUE(IsBlack(At(2, 2)));
  EXPECT_TRUE(IsBlack(At(80 + 40, 60)));  // outside the 31-pixel disc
}

TEST_F(SceneRenderTest, MaskSphereWritesDepthButNoColour) {
  Draw("sphere\nbegin mask\norbit\nposition V(0 0 0)\nradius 50\nmask\nend\n");
  EXPECT_TRUE(IsBlack(At(80, 60)));
  EXPECT_LT(DepthAt(80, 60), 1.0f);
  EXPECT_FLOAT_EQ(1.0f, DepthAt(2, 2));

  // A planet drawn behind it afterwards shows only around the mask.
  Draw("sphere\nbegin mask\norbit\nposition V(0 0 0)\nradius 50\nmask\nend\n"
       "sphere\nbegin far\norbit\nlight\nposition V(0 0 -400)\nradius 300\ntexture textures\\green.jpg\nend\n");
  EXPECT_TRUE(IsBlack(At(80, 60)));
  EXPECT_GT(At(80 + 45, 60).g, 150);
}

TEST_F(SceneRenderTest, AtmosphereShellsFadeByViewingAngle) {
  // atmo: alpha 3x^2 - 0.6, full where the shell faces the eye, none at the
  // rim; scatter: alpha 1.6x + 1.6, none facing the eye, full at the rim.
  const char* shell = "sphere\nbegin shell\norbit\nlight\nposition V(0 0 0)\nradius 50\n";
  Draw(std::string(shell) + "atmo\ntexture textures\\white.jpg\nend\n");
  Rgb atmoCentre = At(80, 60), atmoRim = At(80 + 29, 60);
  Draw(std::string(shell) + "scatter\ntexture textures\\white.jpg\nend\n");
  Rgb scatterCentre = At(80, 60), scatterRim = At(80 + 29, 60);
  EXPECT_GT(atmoCentre.r, 240);
  EXPECT_LT(atmoRim.r, 60);
  EXPECT_LT(scatterCentre.r, 20);
  EXPECT_GT(scatterRim.r, 200);
}

// The sun stands at (0, 0, 1000000): from +z the camera sees the day side,
// from -z the night side, and from +x the terminator down the middle.
TEST_F(SceneRenderTest, NightLayerShowsOnlyWhereTheSunDoesNotShine) {
  const char* lights = "sphere\nbegin lights\norbit\nnight\nposition V(0 0 0)\nradius 50\n"
                       "texture textures\\white.jpg\nend\n";
  auto meanOverDisc = [&] {
    double sum = 0;
    int count = 0;
    for (int y = 60 - 28; y <= 60 + 28; ++y)
      for (int x = 80 - 28; x <= 80 + 28; ++x)
        if ((x - 80) * (x - 80) + (y - 60) * (y - 60) <= 28 * 28) sum += At(x, y).r, ++count;
    return sum / count;
  };
  Draw(lights);
  double day = meanOverDisc();
  camera.position = camera.eye = Vector3{0, 0, -200};
  camera.forward = Vector3{0, 0, 1};
  Draw(lights);
  double night = meanOverDisc();
  RecordProperty("day_to_night_percent", std::to_string(100.0 * day / night));
  EXPECT_GT(night, 200.0);
  EXPECT_LE(day, 0.02 * night);

  // Seen from the side the layer is dark on the sun's side, full deep in
  // the night and in between across the twilight band.
  camera.position = camera.eye = Vector3{200, 0, 0};
  camera.forward = Vector3{-1, 0, 0};
  Draw(lights);
  EXPECT_TRUE(IsBlack(At(80 - 20, 60)));      // about 45 degrees into the day
  EXPECT_GT(At(80 + 20, 60).r, 240);          // about 45 degrees into the night
  int twilight = At(80 + 3, 60).r;            // about 6 degrees into the night
  EXPECT_GT(twilight, 20);
  EXPECT_LT(twilight, 235);
}

// A translucent night layer that writes no depth is drawn face by face,
// without the faces lit black on the day side: the picture must be the one
// the whole list draws (the same layer writing depth), from every side.
TEST_F(SceneRenderTest, NightLayerLeavesOutItsDayFacesWithoutChangingThePicture) {
  const std::string lights = "sphere\nbegin lights\norbit\nnight\nposition V(0 0 0)\nradius 50\nalpha 0.8\n"
                             "texture textures\\white.jpg\n";
  const Vector3 eyes[] = {{0, 0, 200}, {200, 0, 0}, {-60, -150, 110}, {120, 90, -130}};
  for (const Vector3& eye : eyes) {
    camera.position = camera.eye = eye;
    camera.forward = Normalize(Negate(eye));
    Draw(lights + "end\n");
    const std::vector<uint8_t> whole = pixels;
    Draw(lights + "depth\nend\n");
    EXPECT_TRUE(pixels == whole) << eye.x << " " << eye.y << " " << eye.z;
  }
  EXPECT_GT(At(80, 60).r, 100);  // the last view looks into the night
}

// With the sun on +z and the camera on +x, the sun's reflection towards the
// viewer lies where the normal halves the two directions: 45 degrees round
// the sphere, about 22 pixels left of the centre. Drawn over a black
// texture only the highlight shows; a higher shininess keeps it tighter.
TEST_F(SceneRenderTest, SpecularGlintSitsWhereTheSunReflectsTowardsTheViewer) {
  RegisterTexture("textures\\black.jpg", SolidTexture(0, 0, 0));
  camera.position = camera.eye = Vector3{200, 0, 0};
  camera.forward = Vector3{-1, 0, 0};
  std::vector<int> spread;
  for (const char* shininess : {"15", "80"}) {
    Draw(std::string("sphere\nbegin ocean\norbit\nposition V(0 0 0)\nradius 50\nspecular\nshininess ") +
         shininess + "\ntexture textures\\black.jpg\nend\n");
    int brightest = 0;
    for (int x = 50; x <= 110; ++x)
      if (At(x, 60).r > At(brightest, 60).r) brightest = x;
    EXPECT_NEAR(80 - 22, brightest, 4) << shininess;
    EXPECT_GT(At(brightest, 60).r, 150) << shininess;
    EXPECT_LT(At(80 + 20, 60).r, 30) << shininess;  // the far side of the centre, away from the sun
    spread.push_back(At(brightest + 8, 60).r);       // about 15 degrees from the glint
  }
  EXPECT_LT(spread[1], spread[0] * 3 / 4);
}

// A `glint` layer over a lit sea, the sun on +z. Through a white (water)
// mask it brightens the sea most where the sun's reflection reaches the
// viewer (halfway between the two directions, as for `specular`); through a
// black (land) mask, and wherever the sun does not shine, every pixel stays
// exactly as the sea alone drew it.
TEST_F(SceneRenderTest, GlintBrightensWaterWhereTheSunReflectsAndNothingElse) {
  RegisterTexture("textures\\sea.jpg", SolidTexture(10, 30, 70));
  RegisterTexture("textures\\black.jpg", SolidTexture(0, 0, 0));
  const std::string sea = "sphere\nbegin sea\norbit\nposition V(0 0 0)\nradius 50\ntexture textures\\sea.jpg\nend\n";
  auto glint = [](const char* mask) {
    return std::string("sphere\nbegin glint\norbit\nglint 0.8\nposition V(0 0 0)\nradius 50.5\nshininess 40\n") +
           "texture textures\\" + mask + "\nend\n";
  };
  auto brightness = [&](int x, int y) { Rgb c = At(x, y); return c.r + c.g + c.b; };
  struct Case {
    Vector3 eye;
    const char* mask;
    int mirrorX;  // pixel column of the reflection on row 60; -1: no glint anywhere
  };
  // eye (looking at the origin), mask, mirror point
  const Case cases[] = {
      {{0, 0, 200}, "white.jpg", 80},   // facing the sun: the reflection in the middle
      {{200, 0, 0}, "white.jpg", 58},   // from the side: 45 degrees towards the sun
      {{200, 0, 0}, "black.jpg", -1},   // land
      {{0, 0, -200}, "white.jpg", -1},  // the night side
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.eye.x << " " << c.eye.z << " " << c.mask);
    camera.position = camera.eye = c.eye;
    camera.forward = Normalize(Scale(c.eye, -1.0f));
    Draw(sea);
    std::vector<uint8_t> seaAlone = pixels;
    std::vector<int> without(kWidth);
    for (int x = 0; x < kWidth; ++x) without[x] = brightness(x, 60);
    Draw(sea + glint(c.mask));
    if (c.mirrorX < 0) {
      EXPECT_TRUE(pixels == seaAlone);
      continue;
    }
    int brightest = 0;
    for (int x = 0; x < kWidth; ++x)
      if (brightness(x, 60) - without[x] > brightness(brightest, 60) - without[brightest]) brightest = x;
    EXPECT_NEAR(c.mirrorX, brightest, 4);
    EXPECT_GT(brightness(brightest, 60) - without[brightest], 3 * 150);
    // Seen from the side, the half of the disc turned away from the sun is untouched.
    if (c.eye.x > 0) {
      for (int x = 82; x < kWidth; ++x) EXPECT_EQ(without[x], brightness(x, 60)) << x;
    }
  }
}

TEST_F(SceneRenderTest, EnvSkySphereIsSeenFromInside) {
  Draw("sphere\nbegin sky\nenv\nradius 100\ntexture textures\\green.jpg\nend\n");
  for (Rgb c : {At(80, 60), At(1, 1), At(158, 118), At(1, 118)}) {
    EXPECT_GT(c.g, 200);
    EXPECT_LT(c.r, 20);
  }
  // Drawn without depth, it stays behind what follows.
  Draw("sphere\nbegin sky\nenv\nradius 100\ntexture textures\\green.jpg\nend\n"
       "sphere\nbegin earth\norbit\nlight\nposition V(0 0 0)\nradius 50\ntexture textures\\red.jpg\nend\n");
  EXPECT_GT(At(80, 60).r, 200);
  EXPECT_GT(At(2, 2).g, 200);
}

TEST_F(SceneRenderTest, FixedBillboardKeepsItsAxesAndViewAlignedOneFollowsTheCamera) {
  // The camera rolled a quarter turn: world x points up on the screen.
  camera.up = Vector3{1, 0, 0};
  const char* square = "billboard\nbegin\nrotation 0 0\nsize 5\nxy 3\ntexture textures\\white.jpg\n";
  Draw(std::string(square) + "end\n");  // view-aligned: wide across the screen
  EXPECT_GT(At(80 + 7, 60).r, 200);
  EXPECT_TRUE(IsBlack(At(80, 60 + 6)));
  Draw(std::string(square) + "orient off\nright V(1 0 0)\nup V(0 1 0)\nend\n");  // wide along world x: up the screen
  EXPECT_GT(At(80, 60 + 7).r, 200);
  EXPECT_TRUE(IsBlack(At(80 + 6, 60)));
}

TEST_F(SceneRenderTest, BillboardLandsAtItsPosition) {
  Draw("billboard\nbegin\nrotation 0 0\norient off\nposition V(30 0 0)\nsize 10\ntexture textures\\white.jpg\nend\n");
  EXPECT_GT(At(98, 60).r, 200);  // x = 30 at distance 200 is 18 pixels right of the centre
  EXPECT_TRUE(IsBlack(At(80, 60)));
  EXPECT_TRUE(IsBlack(At(110, 60)));
}

TEST_F(SceneRenderTest, BlendedMeshIsDrawnAtTheAlphaOfItsFirstColourComponent) {
  Draw("geometry meshes\\square.dat\nmesh\nbegin m\nlook V(1 0 0)\nright V(0 1 0)\nscale 40\nblend\nillum\n"
       "color V(0.5 1 1)\nmaterial\n\t\n\t\n\tmap1 textures\\white.jpg\n\t\nend\n");
  Rgb c = At(80, 60);
  EXPECT_NEAR(128, c.r, 3);
  EXPECT_TRUE(IsBlack(At(80 + 20, 60)));
}

// The frustum keeps its vertical field of view, 2 atan(40 / 80), on every
// frame and widens with the aspect; the scene's and the sky's alike.
TEST_F(SceneRenderTest, ProjectionHalfWidthFollowsTheFramesAspect) {
  struct Case {
    FrameSize frame;
    double halfWidth;  // at half height 40
  };
  // frame (4:3, 16:9, 16:10, 21:9, 5:4), half width
  const Case cases[] = {{{800, 600}, 40.0 * double(1.3333334f)}, {{1920, 1080}, 40.0 * 16 / 9},
                        {{1680, 1050}, 64.0}, {{2560, 1080}, 40.0 * 64 / 27}, {{1280, 1024}, 50.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.frame.width) + "x" + std::to_string(c.frame.height));
    EXPECT_NEAR(c.halfWidth, FrustumHalfWidth(40.0, c.frame), 1e-5);
    InitSceneGlState(c.frame);
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(80.0 / c.halfWidth, m[0], 1e-6);  // 2 near / (right - left)
    EXPECT_DOUBLE_EQ(2.0, m[5]);                  // 2 near / (top - bottom): the same on every frame
    PushEnvProjection(0.5f, c.frame);
    glMatrixMode(GL_PROJECTION);
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    glMatrixMode(GL_MODELVIEW);
    PopEnvProjection();
    EXPECT_NEAR(m[5] * 40.0 / c.halfWidth, m[0], 1e-5);  // the sky's frustum has the same aspect
  }
  EXPECT_EQ(40.0 * double(1.3333334f), FrustumHalfWidth(40.0, FrameSize{1024, 768}));  // exact on 4:3
}

// After each kind's Render the state is the frame defaults again.
TEST_F(SceneRenderTest, EveryRenderLeavesTheFrameDefaults) {
  const char* objects[] = {
      "sphere\nbegin\nend\n",
      "sphere\nbegin\nalpha 0.5\nspecular\ntexture textures\\red.jpg\nend\n",
      "sphere\nbegin\nenv\nend\n",
      "sphere\nbegin\natmo\nend\n",
      "sphere\nbegin\nscatter\nalpha 0.3\nend\n",
      "sphere\nbegin\nmask\nend\n",
      "sphere\nbegin\nflash\nrnd\nend\n",
      "sphere\nbegin\nflash\ntexture textures\\a.tga\nend\n",
      "sphere\nbegin\nwire\nend\n",
      "sphere\nbegin\nnight\nalpha 0.5\nlight\nend\n",
      "sphere\nbegin\nglint 0.5\ntexture textures\\white.jpg\nend\n",
      "sphere\nbegin p\nend\nsphere\nbegin\nsys\nparent p\ndepth\nlight\nend\n",
      "billboard\nbegin\nend\n",
      "billboard\nbegin\nenv V(1 2 3)\nblend\nend\n",
      "billboard\nbegin\noreol V(0 0 0) 20\ndepth\nend\n",
      "sphere\nbegin p\nend\nbillboard\nbegin\nparent p V(0 10 0)\nsys\nflash 0 1 2)\nend\n",
      "sphere\nbegin p\nend\nbillboard\nbegin\nparent p V(0 10 0)\nsys\norient off\nend\n",
      "geometry meshes\\square.dat\nmesh\nbegin\nmaterial\n\tmetal\n\t\n\t\n\t\nend\n",
      "geometry meshes\\square.dat\nmesh\nbegin\nblend\nillum\nlight\nend\n",
  };
  for (float clock : {0.0f, 10.0f}) {  // 10 s: wire spheres draw the whole scan
    sceneClock = clock;
    for (const char* text : objects) {
      Draw(text);
      SCOPED_TRACE(text);
      ExpectFrameDefaults();
    }
  }
}
