// Texture loading by file-name ending: JPEG textures upload as 3-component
// RGB, TGA textures as 4-component RGBA, both with every mipmap level.
#include "image/texture.h"

#include <cstdio>
#include <cstring>

#include "image/jpeg_image.h"
#include "image/texture_upload.h"
#include "image/tga_texture.h"

namespace {

// The last three characters of s, or "" when s is shorter.
const char* LastThree(const char* s) {
  const size_t n = std::strlen(s);
  return n >= 3 ? s + n - 3 : "";
}

uint32_t LoadJpegTexture(const char* path, uint8_t fromResource, int resourceId) {
  JpegImage image;
  if (!LoadJpegImage(path, &image, fromResource, resourceId)) return 0;
  const uint32_t name = UploadMipmappedTexture(UploadFormat::kRgb, image.width, image.height, image.pixels);
  FreeJpegImage(&image);
  return name;
}

}  // namespace

bool Texture::Load(const char* name, uint8_t fromResource, int resourceId) {
  std::snprintf(path, sizeof path, "textures\\%s", name);
  const char* ending = LastThree(name);
  if (std::strcmp(ending, "jpg") == 0 || std::strcmp(ending, "JPG") == 0)
    glName = LoadJpegTexture(path, fromResource, resourceId);
  else if (std::strcmp(ending, "tga") == 0 || std::strcmp(ending, "TGA") == 0)
    glName = LoadTgaTexture(path);
  else
    glName = 0;
  return glName != 0;
}

bool TexturePathCarriesAlpha(const char* path) { return std::strcmp(LastThree(path), "tga") == 0; }
