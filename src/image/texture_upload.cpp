// Mipmapped texture upload, shared by the JPEG and TGA paths. Images whose
// sides are powers of two (every shipped picture) get their levels from our
// box filter; any other size goes through gluBuild2DMipmaps, which first
// rescales it to a power of two. The box-filtered path also maps where
// level 0 shows, from the same pixels, for the billboards' spans.
#include "image/texture_upload.h"

#include <algorithm>
#include <vector>

#include "image/mipmap_chain.h"
#include "image/texel_spans.h"
#include "platform/opengl.h"

namespace {

bool FitsBoxFilter(int width, int height) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  return IsPowerOfTwo(width) && IsPowerOfTwo(height) && width <= maxSide && height <= maxSide;
}

// Level 0 from pixels, then each level halved from the one before, down to
// 1 x 1. Two buffers take turns holding the level above.
void UploadBoxFilteredLevels(int channels, GLenum format, int width, int height, const uint8_t* pixels) {
  glTexImage2D(GL_TEXTURE_2D, 0, channels, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
  std::vector<uint8_t> buffers[2];
  const uint8_t* above = pixels;
  for (int level = 1; width > 1 || height > 1; ++level) {
    std::vector<uint8_t>& next = buffers[level & 1];
    const int nextWidth = std::max(1, width / 2), nextHeight = std::max(1, height / 2);
    next.resize(LevelBytes(nextWidth, nextHeight, channels));
    HalveLevel(above, width, height, channels, next.data());
    width = nextWidth;
    height = nextHeight;
    glTexImage2D(GL_TEXTURE_2D, level, channels, width, height, 0, format, GL_UNSIGNED_BYTE, next.data());
    above = next.data();
  }
}

}  // namespace

uint32_t UploadMipmappedTexture(UploadFormat format, int width, int height, const uint8_t* pixels,
                                TexelSpans* visibleTexels) {
  const bool rgba = format == UploadFormat::kRgba;
  const int channels = rgba ? 4 : 3;
  const GLenum layout = rgba ? GL_RGBA : GL_RGB;
  GLuint name = 0;
  glGenTextures(1, &name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, name);
  if (FitsBoxFilter(width, height)) {
    UploadBoxFilteredLevels(channels, layout, width, height, pixels);
    if (visibleTexels != nullptr) visibleTexels->Build(pixels, width, height, channels);
  } else if (gluBuild2DMipmaps(GL_TEXTURE_2D, channels, width, height, layout, GL_UNSIGNED_BYTE, pixels) != 0) {
    glDeleteTextures(1, &name);
    return 0;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}
