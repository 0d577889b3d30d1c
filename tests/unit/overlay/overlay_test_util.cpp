// Helpers of the overlay render tests.
#include "overlay_test_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "overlay/glyph_font.h"
#include "overlay/loader_screen.h"
#include "platform/native_platform.h"
#include "platform/opengl.h"
#include "settings/saver_settings.h"

namespace {

constexpr int kCellPixels = 16;  // side of one cell of the coloured picture
constexpr int kSheetPixels = 4 * kCellPixels;

}  // namespace

std::string ResolutionName(const ::testing::TestParamInfo<Resolution>& info) {
  return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
}

Rgb CellColour(int cell) { return Rgb{40 + 16 * cell, 250 - 16 * cell, cell % 2 ? 220 : 60}; }

uint32_t AddColouredGlyphPicture(TextureManager& manager) {
  std::vector<uint8_t> rgb(kSheetPixels * kSheetPixels * 3, 0);
  for (int y = 0; y < kSheetPixels; ++y) {
    for (int x = 0; x < kSheetPixels; ++x) {
      // Texture rows go bottom-up: picture row 0 (the top) is the last one.
      const int cell = (kSheetPixels - 1 - y) / kCellPixels * 4 + x / kCellPixels;
      if (cell >= kGlyphCount) continue;
      const Rgb c = CellColour(cell);
      uint8_t* p = &rgb[(y * kSheetPixels + x) * 3];
      p[0] = uint8_t(c.r), p[1] = uint8_t(c.g), p[2] = uint8_t(c.b);
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kSheetPixels, kSheetPixels, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  Texture* texture = new Texture;
  snprintf(texture->path, sizeof texture->path, "%s", kGlyphPicturePath);
  texture->glName = name;
  manager.Append(texture);
  return name;
}

std::vector<uint8_t> SolidTga(int width, int height, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 2;
  tga[12] = uint8_t(width), tga[13] = uint8_t(width >> 8);
  tga[14] = uint8_t(height), tga[15] = uint8_t(height >> 8);
  tga[16] = 32;
  tga[17] = 0x08;
  for (int i = 0; i < width * height; ++i) tga.insert(tga.end(), {b, g, r, a});
  return tga;
}

Picture::Picture(const GlTestContext& gl) : width(gl.width), height(gl.height), pixels_(gl.ReadPixels()) {}

Rgb Picture::At(int x, int y) const {
  const uint8_t* p = &pixels_[(size_t(y) * width + x) * 4];
  return Rgb{p[0], p[1], p[2]};
}

bool Picture::Lit(int x, int y) const {
  const Rgb c = At(x, y);
  return c.r > 24 || c.g > 24 || c.b > 24;
}

PixelBox Picture::BoxWhere(const std::function<bool(int, int)>& inside) const {
  PixelBox box{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!inside(x, y)) continue;
      box.x0 = std::min(box.x0, x), box.y0 = std::min(box.y0, y);
      box.x1 = std::max(box.x1, x + 1), box.y1 = std::max(box.y1, y + 1);
    }
  }
  return box;
}

PixelBox Picture::LitBox() const {
  return BoxWhere([this](int x, int y) { return Lit(x, y); });
}

PixelBox Picture::BoxOf(Rgb colour) const {
  return BoxWhere([&](int x, int y) {
    const Rgb c = At(x, y);
    return std::abs(c.r - colour.r) <= 8 && std::abs(c.g - colour.g) <= 8 && std::abs(c.b - colour.b) <= 8;
  });
}

void ExpectColourNear(Rgb actual, Rgb expected, const std::string& where) {
  EXPECT_NEAR(actual.r, expected.r, 3) << where;
  EXPECT_NEAR(actual.g, expected.g, 3) << where;
  EXPECT_NEAR(actual.b, expected.b, 3) << where;
}

void OverlayRenderTest::SetUpContext(int width, int height) {
  ResetSettings();
  native_platform::ResetAll();
  ResetGlyphFont();
  ResetLoaderScreen();
  manager.Reset();
  frame = FrameSize{width, height};
  gl = std::make_unique<GlTestContext>(width, height);
  ASSERT_TRUE(gl->Ready());
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OverlayRenderTest::TearDown() {
  manager.Reset();
  ResetGlyphFont();
  ResetLoaderScreen();
  native_platform::ResetAll();
  ResetSettings();
  gl.reset();
}
