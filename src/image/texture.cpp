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

bool EndsIn(const char* name, const char* lower, const char* upper) {
  const char* ending = LastThree(name);
  return std::strcmp(ending, lower) == 0 || std::strcmp(ending, upper) == 0;
}

// Uploads a decoded JPEG, maps its visible texels and frees its pixels; 0
// when decoding failed.
uint32_t UploadJpeg(bool decoded, JpegImage* image, TexelSpans* visibleTexels) {
  if (!decoded) return 0;
  const uint32_t name =
      UploadMipmappedTexture(UploadFormat::kRgb, image->width, image->height, image->pixels, visibleTexels);
  FreeJpegImage(image);
  return name;
}

}  // namespace

bool Texture::Load(const char* name) {
  std::snprintf(path, sizeof path, "textures\\%s", name);
  texelSpans = TexelSpans();
  JpegImage image;
  if (EndsIn(name, "jpg", "JPG"))
    glName = UploadJpeg(LoadJpegImage(path, &image), &image, &texelSpans);
  else if (EndsIn(name, "tga", "TGA"))
    glName = LoadTgaTexture(path, &texelSpans);
  else
    glName = 0;
  return glName != 0;
}

bool Texture::LoadFromResource(const char* name, int resourceId) {
  if (!EndsIn(name, "jpg", "JPG")) return Load(name);
  std::snprintf(path, sizeof path, "textures\\%s", name);
  texelSpans = TexelSpans();
  JpegImage image;
  glName = UploadJpeg(LoadJpegResourceImage(resourceId, &image), &image, &texelSpans);
  return glName != 0;
}

bool TexturePathCarriesAlpha(const char* path) { return std::strcmp(LastThree(path), "tga") == 0; }
