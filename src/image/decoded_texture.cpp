// The two stages of loading a listed texture: decoding by the file-name
// ending (any thread) and the mipmapped upload (the GL thread).
#include "image/decoded_texture.h"

#include <cstring>

#include "image/texture_upload.h"
#include "image/tga_texture.h"

namespace {

bool EndsIn(const char* name, const char* lower, const char* upper) {
  const char* ending = LastThreeCharacters(name);
  return std::strcmp(ending, lower) == 0 || std::strcmp(ending, upper) == 0;
}

}  // namespace

TextureKind TextureKindOf(const char* name) {
  if (EndsIn(name, "jpg", "JPG")) return TextureKind::kJpeg;
  if (EndsIn(name, "tga", "TGA")) return TextureKind::kTga;
  return TextureKind::kNone;
}

const char* LastThreeCharacters(const char* s) {
  const size_t n = std::strlen(s);
  return n >= 3 ? s + n - 3 : "";
}

DecodedTexture::~DecodedTexture() {
  FreeJpegImage(&jpeg);
  FreeTgaImage(&tga);
}

void DecodeTexture(TextureKind kind, const char* path, DecodedTexture* texture) {
  texture->kind = kind;
  if (texture->kind == TextureKind::kJpeg)
    texture->decoded = LoadJpegImage(path, &texture->jpeg);
  else if (texture->kind == TextureKind::kTga)
    texture->decoded = DecodeTgaTexturePixels(path, &texture->tga);
}

uint32_t UploadDecodedTexture(DecodedTexture* texture) {
  if (texture->kind == TextureKind::kTga) return UploadTgaTexture(texture->decoded, &texture->tga);
  if (texture->kind == TextureKind::kJpeg) return UploadJpegTexture(texture->decoded, &texture->jpeg);
  return 0;
}

uint32_t UploadJpegTexture(bool decoded, JpegImage* image) {
  if (!decoded) return 0;
  const uint32_t name = UploadMipmappedTexture(UploadFormat::kRgb, image->width, image->height, image->pixels);
  FreeJpegImage(image);
  return name;
}
