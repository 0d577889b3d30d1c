// Texture loading by file-name ending: JPEG textures upload as 3-component
// RGB, TGA textures as 4-component RGBA, both with every mipmap level.
#include "image/texture.h"

#include <cstdio>
#include <cstring>

#include "image/decoded_texture.h"
#include "image/jpeg_image.h"

void Texture::SetPath(const char* name) { std::snprintf(path, sizeof path, "textures\\%s", name); }

bool Texture::Load(const char* name) {
  SetPath(name);
  DecodedTexture decoded;
  DecodeTexture(TextureKindOf(name), path, &decoded);
  return Upload(&decoded);
}

bool Texture::Upload(DecodedTexture* decoded) {
  glName = UploadDecodedTexture(decoded);
  return glName != 0;
}

bool Texture::LoadFromResource(const char* name, int resourceId) {
  if (TextureKindOf(name) != TextureKind::kJpeg) return Load(name);
  SetPath(name);
  JpegImage image;
  glName = UploadJpegTexture(LoadJpegResourceImage(resourceId, &image), &image);
  return glName != 0;
}

bool TexturePathCarriesAlpha(const char* path) { return std::strcmp(LastThreeCharacters(path), "tga") == 0; }
