// The mipmap levels UploadMipmappedTexture builds equal, byte for byte,
// the ones gluBuild2DMipmaps builds from the same picture: read back level
// by level from Mesa's OSMesa, for square, wide, tall and single-line
// pictures, with three and four channels.
#include <gtest/gtest.h>

#include <vector>

#include "gl_test_context.h"
#include "image/texture_upload.h"
#include "platform/opengl.h"

namespace {

struct PictureCase {
  int width, height;  // pixels
  UploadFormat format;
};

std::vector<uint8_t> NoisePicture(int width, int height, int channels) {
  std::vector<uint8_t> pixels(size_t(width) * height * channels);
  uint32_t state = 12345u;
  for (uint8_t& p : pixels) {
    state = state * 1664525u + 1013904223u;
    p = uint8_t(state >> 24);
  }
  return pixels;
}

// Every level of the bound texture, from level 0 down to 1 x 1.
std::vector<std::vector<uint8_t>> ReadLevels(int width, int height, int channels) {
  std::vector<std::vector<uint8_t>> levels;
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (int level = 0;; ++level) {
    levels.emplace_back(size_t(width) * height * channels);
    glGetTexImage(GL_TEXTURE_2D, level, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, levels.back().data());
    if (width == 1 && height == 1) return levels;
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
  }
}

TEST(MipmapChain, EqualsTheLevelsGluBuilds) {
  const PictureCase cases[] = {
      // width height format
      {16, 16, UploadFormat::kRgb},  {32, 8, UploadFormat::kRgba}, {4, 32, UploadFormat::kRgb},
      {16, 1, UploadFormat::kRgba},  {1, 8, UploadFormat::kRgb},   {1, 1, UploadFormat::kRgba},
  };
  GlTestContext gl(8, 8);
  ASSERT_TRUE(gl.Ready());
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const int channels = c.format == UploadFormat::kRgba ? 4 : 3;
    const std::vector<uint8_t> picture = NoisePicture(c.width, c.height, channels);
    GLuint glu = 0;
    glGenTextures(1, &glu);
    glBindTexture(GL_TEXTURE_2D, glu);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, channels, c.width, c.height, channels == 4 ? GL_RGBA : GL_RGB,
                                GL_UNSIGNED_BYTE, picture.data()),
              0);
    const auto expected = ReadLevels(c.width, c.height, channels);
    const GLuint ours = UploadMipmappedTexture(c.format, c.width, c.height, picture.data());
    ASSERT_NE(ours, 0u);
    EXPECT_EQ(ReadLevels(c.width, c.height, channels), expected);
    glDeleteTextures(1, &glu);
    glDeleteTextures(1, &ours);
  }
}

}  // namespace
