// The loader screen: pictures loaded from resources in their order, corner
// pictures that keep 256 x 128 screen pixels at every resolution, the two
// middle pictures in the overlay space, and the shipped placeholder pictures.
#include <GL/gl.h>

#include <string>

#include "overlay/loader_screen.h"
#include "overlay_test_util.h"
#include "platform/native_platform.h"
#include "settings/saver_settings.h"

namespace {

// Opaque corner colours, in the file order blue, green, red, and as read back.
const uint8_t kCornerBgr[kLoaderCorners][3] = {{0, 200, 0}, {200, 0, 0}, {0, 0, 200}, {0, 200, 200}};
Rgb CornerColour(int i) { return Rgb{kCornerBgr[i][2], kCornerBgr[i][1], kCornerBgr[i][0]}; }

void AddResourceBytes(int id, const std::vector<uint8_t>& bytes) {
  native_platform::AddResource(kDataResourceType, id, bytes.data(), uint32_t(bytes.size()));
}

class CornerPictures : public OverlayRenderTest, public ::testing::WithParamInterface<Resolution> {};

TEST_P(CornerPictures, KeepTheirPixelSizeInTheirCorners) {
  const Resolution r = GetParam();
  SetUpContext(r.width, r.height);
  for (int i = 0; i < kLoaderCorners; ++i) {
    const uint8_t* c = kCornerBgr[i];
    AddResourceBytes(kFirstCornerResource + i, SolidTga(256, 128, c[0], c[1], c[2], 255));
  }
  LoadLoaderScreen();
  DrawLoaderScreen(frame);

  const Picture picture(*gl);
  const int w = r.width, h = r.height;
  const PixelBox expected[kLoaderCorners] = {
      {w - 256, 0, w, 128}, {0, 0, 256, 128}, {0, h - 128, 256, h}, {w - 256, h - 128, w, h}};
  for (int i = 0; i < kLoaderCorners; ++i) {
    const PixelBox box = picture.BoxOf(CornerColour(i));
    EXPECT_EQ(box.x0, expected[i].x0) << "corner " << i;
    EXPECT_EQ(box.x1, expected[i].x1) << "corner " << i;
    EXPECT_EQ(box.y0, expected[i].y0) << "corner " << i;
    EXPECT_EQ(box.y1, expected[i].y1) << "corner " << i;
  }
  // Pictures that did not load (the sign, the load picture) are white
  // squares centred across the frame, at heights 350 and 140 of 600 units.
  const double s = h / 600.0;  // pixels per unit, across and up
  ExpectColourNear(picture.At(w / 2, int(350 * s)), Rgb{255, 255, 255}, "sign");
  ExpectColourNear(picture.At(w / 2, int(140 * s)), Rgb{255, 255, 255}, "load picture");
  const PixelBox middle = picture.BoxOf(Rgb{255, 255, 255});
  EXPECT_NEAR(middle.x0, w / 2.0 - 110 * s, 1);  // the sign, 220 units wide
  EXPECT_NEAR(middle.x1, w / 2.0 + 110 * s, 1);
  EXPECT_NEAR(middle.y0, 40 * s, 1);  // the load picture: 140 - 100
  EXPECT_NEAR(middle.y1, 460 * s, 1);  // the sign: 350 + 110
}

INSTANTIATE_TEST_SUITE_P(Resolutions, CornerPictures,
                         ::testing::Values(Resolution{800, 600}, Resolution{1600, 1200}, Resolution{1280, 1024},
                                           Resolution{1920, 1080}),
                         ResolutionName);

class LoaderScreenTest : public OverlayRenderTest {};

TEST_F(LoaderScreenTest, TransparentCornersLeaveTheScreenUnchanged) {
  SetUpContext(800, 600);
  for (int i = 0; i < kLoaderCorners; ++i) AddResourceBytes(kFirstCornerResource + i, SolidTga(1, 1, 255, 255, 255, 0));
  LoadLoaderScreen();
  for (int i = 0; i < kLoaderCorners; ++i) EXPECT_NE(loaderScreen.corners[i], 0u) << i;
  DrawLoaderScreen(frame);
  const Picture picture(*gl);
  for (const auto& p : {std::pair<int, int>{5, 5}, {795, 5}, {5, 595}, {795, 595}})
    EXPECT_FALSE(picture.Lit(p.first, p.second)) << p.first << "," << p.second;
}

TEST_F(LoaderScreenTest, ShippedPlaceholderPicturesLoadAndShow) {
  SetUpContext(800, 600);
  const std::string dir = std::string(TERRAVA_SOURCE_DIR) + "/resources/loader/";
  ASSERT_TRUE(native_platform::AddResourceFile(kDataResourceType, kLoadPictureResource, (dir + "load.jpg").c_str()));
  const char* corners[kLoaderCorners] = {"4loader_rd.tga", "4loader_ld.tga", "4loader_lu.tga", "4loader_ru.tga"};
  for (int i = 0; i < kLoaderCorners; ++i)
    ASSERT_TRUE(native_platform::AddResourceFile(kDataResourceType, kFirstCornerResource + i, (dir + corners[i]).c_str()));
  LoadLoaderScreen();
  EXPECT_NE(loaderScreen.loadPicture.glName, 0u);
  EXPECT_STREQ(loaderScreen.loadPicture.path, "textures\\load.jpg");
  EXPECT_STREQ(loaderScreen.signPicture.path, "textures\\sign.jpg");
  for (int i = 0; i < kLoaderCorners; ++i) EXPECT_NE(loaderScreen.corners[i], 0u) << corners[i];
  EXPECT_TRUE(native_platform::Messages().empty());

  DrawLoaderScreen(frame);
  gl->SavePpm(TERRAVA_BINARY_DIR "/overlay_loader_800x600.ppm");
  const Picture picture(*gl);
  // The logo shows in the bottom right corner; the other corners stay black.
  bool logoLit = false;
  for (int y = 0; y < 128; ++y)
    for (int x = 800 - 256; x < 800; ++x) logoLit = logoLit || picture.Lit(x, y);
  EXPECT_TRUE(logoLit);
  EXPECT_FALSE(picture.Lit(5, 5));
  EXPECT_FALSE(picture.Lit(5, 595));
  EXPECT_FALSE(picture.Lit(795, 595));
}

}  // namespace
