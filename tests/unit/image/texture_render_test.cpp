// Textures drawn by OpenGL (Mesa's OSMesa): a JPEG and TGA files of every
// result format uploaded with their mipmaps, drawn on a quad at full size and
// at an eighth of it, and read back. The test picture has four quadrants:
// a one-pixel black and white checkerboard at the top left, red (alpha 255)
// at the top right, green (alpha 204) at the bottom left and blue (alpha
// 102) at the bottom right. Drawn small, the checkerboard turns grey only if
// a smaller mipmap level is used.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/opengl.h"
#include "image/texture.h"
#include "image/tga_image.h"
#include "image/tga_texture.h"
#include "platform/native_platform.h"
#include "gl_test_context.h"
#include "unit/image/image_test_util.h"

namespace {

constexpr int kSide = 32;  // pixels of the test picture and of the buffer

// Resource ids the test files are registered under.
enum : int { kJpeg = 501, kTga32 = 502, kTga32Rle = 503, kTga24 = 504, kTga8 = 505 };

class TextureRender : public ::testing::Test {
 protected:
  void SetUp() override {
    native_platform::ResetAll();
    ASSERT_TRUE(gl.Ready());
    ASSERT_TRUE(LoadPngRgba(ImageDataPath("render/quadrants.png"), &picture));
    AddResourceFromTestFile(kJpeg, "render/quadrants.jpg");
    AddResourceFromTestFile(kTga32, "render/quadrants32.tga");
    AddResourceFromTestFile(kTga32Rle, "render/quadrants32rle.tga");
    AddResourceFromTestFile(kTga24, "render/quadrants24.tga");
    AddResourceFromTestFile(kTga8, "render/quadrants8.tga");
    gl.UsePixelProjection();
  }
  void TearDown() override { native_platform::ResetAll(); }

  // Draws the texture on the square [0, side) at the bottom-left corner and
  // returns the buffer, bottom row first. GL_REPLACE puts the texture's
  // colour and alpha into the buffer unchanged.
  std::vector<uint8_t> Draw(uint32_t texture, int side) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(0, 0);
    glTexCoord2f(1, 0), glVertex2f(float(side), 0);
    glTexCoord2f(1, 1), glVertex2f(float(side), float(side));
    glTexCoord2f(0, 1), glVertex2f(0, float(side));
    glEnd();
    glDisable(GL_TEXTURE_2D);
    return gl.ReadPixels();
  }

  GlTestContext gl{kSide, kSide};
  Picture picture;  // the test picture, top row first
};

const uint8_t* PixelAt(const std::vector<uint8_t>& buffer, int x, int y) {
  return buffer.data() + (size_t(y) * kSide + x) * 4;
}

void ExpectColor(const uint8_t* got, const int want[4], int tolerance, const std::string& where) {
  for (int c = 0; c < 4; ++c)
    EXPECT_LE(std::abs(got[c] - want[c]), tolerance) << where << " channel " << c << ": " << int(got[c]);
}

struct RenderCase {
  const char* what;
  int resource;
  bool alpha;      // the file's alpha reaches the texture
  int tolerance;   // per channel, full-size draw (JPEG rounding)
};

const RenderCase kRenderCases[] = {
    {"JPEG", kJpeg, false, 8},
    {"32-bit TGA", kTga32, true, 0},
    {"32-bit run-length TGA", kTga32Rle, true, 0},
    {"24-bit TGA", kTga24, false, 0},
};

uint32_t Upload(const RenderCase& c) {
  if (c.resource != kJpeg) return LoadTgaResourceTexture("unused", c.resource);
  Texture texture;
  texture.LoadFromResource("quadrants.jpg", kJpeg);
  return texture.glName;
}

// Full size: every buffer pixel shows its texel, upright (picture row 0 at
// the top), red first, with the file's alpha.
TEST_F(TextureRender, DrawsThePictureUprightInItsColours) {
  for (const RenderCase& c : kRenderCases) {
    SCOPED_TRACE(c.what);
    const uint32_t texture = Upload(c);
    ASSERT_NE(texture, 0u);
    const std::vector<uint8_t> drawn = Draw(texture, kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const uint8_t* p = picture.At(x, kSide - 1 - y);
        const int want[4] = {p[0], p[1], p[2], c.alpha ? p[3] : 255};
        ExpectColor(PixelAt(drawn, x, y), want, c.tolerance, std::to_string(x) + "," + std::to_string(y));
        if (HasFailure()) return;
      }
  }
}

// An eighth of the size (4 x 4 pixels): level 3 (4 x 4 texels) is drawn,
// where the checkerboard has become grey and the solid quadrants keep their
// colour; each quadrant covers 2 x 2 pixels.
TEST_F(TextureRender, UsesSmallerMipmapLevelsWhenDrawnSmall) {
  for (const RenderCase& c : kRenderCases) {
    SCOPED_TRACE(c.what);
    const uint32_t texture = Upload(c);
    ASSERT_NE(texture, 0u);
    const std::vector<uint8_t> drawn = Draw(texture, kSide / 8);
    const int alpha[3] = {255, c.alpha ? 204 : 255, c.alpha ? 102 : 255};
    const int grey[4] = {128, 128, 128, 255}, red[4] = {255, 0, 0, 255};
    const int green[4] = {0, 255, 0, alpha[1]}, blue[4] = {0, 0, 255, alpha[2]};
    ExpectColor(PixelAt(drawn, 1, 2), grey, 10, "checkerboard");
    ExpectColor(PixelAt(drawn, 0, 3), grey, 10, "checkerboard");
    ExpectColor(PixelAt(drawn, 2, 3), red, c.tolerance, "red");
    ExpectColor(PixelAt(drawn, 1, 1), green, c.tolerance, "green");
    ExpectColor(PixelAt(drawn, 3, 0), blue, c.tolerance, "blue");
    ExpectColor(PixelAt(drawn, 5, 5), (const int[4]){0, 0, 0, 0}, 0, "outside the quad");
  }
}

// A grey TGA is widened to RGBA before upload: r = g = b, alpha 255.
TEST_F(TextureRender, DrawsGreyTgaAsOpaqueGrey) {
  TgaImage grey;
  ASSERT_TRUE(LoadTgaResourceImage(kTga8, &grey));
  const uint32_t texture = LoadTgaResourceTexture("unused", kTga8);
  ASSERT_NE(texture, 0u);
  const std::vector<uint8_t> drawn = Draw(texture, kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const int g = grey.pixels[y * kSide + x];  // file rows bottom first, as the buffer
      const int want[4] = {g, g, g, 255};
      ExpectColor(PixelAt(drawn, x, y), want, 0, std::to_string(x) + "," + std::to_string(y));
    }
  FreeTgaImage(&grey);
}

TEST_F(TextureRender, LoadsJpegOnlyForExactEndings) {
  struct {
    const char* name;
    bool loads;
  } const cases[] = {
      // name, whether a texture is made (the resource is the JPEG either way)
      {"quadrants.jpg", true}, {"quadrants.JPG", true}, {"quadrants.Jpg", false},
      {"quadrants.png", false}, {"pg", false},          {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Texture texture;
    EXPECT_EQ(texture.LoadFromResource(c.name, kJpeg), c.loads);
    EXPECT_EQ(texture.glName != 0, c.loads);
    EXPECT_EQ(std::string(texture.path), std::string("textures\\") + c.name);
  }
}

TEST_F(TextureRender, CutsLongNamesToThePathField) {
  Texture texture;
  texture.LoadFromResource("a-very-long-texture-file-name-indeed.jpg", kJpeg);
  EXPECT_EQ(std::string(texture.path), "textures\\a-very-long-texture-fi");
  EXPECT_NE(texture.glName, 0u);  // the ending is taken from the name, the image from the resource
}

}  // namespace
