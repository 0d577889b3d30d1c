// TGA texture upload: decode, widen grey and colour results to RGBA (the
// upload always reads 4 bytes per pixel), build the mipmaps, free the pixels.
#include "image/tga_texture.h"

#include "image/texture_upload.h"
#include "platform/platform.h"

namespace {

// A picture of a depth the decoder does not know is the one TGA failure the
// user is told about; the texture stays empty either way.
uint32_t ReportFailure(const TgaImage& image) {
  if (image.failure == kTgaUnsupportedDepth) PlatformShowMessage("Unsupported image depth.", "TGA");
  return 0;
}

}  // namespace

bool DecodeTgaTexturePixels(const char* path, TgaImage* image) {
  return LoadTgaImage(path, image) && ExpandTgaToRgba(image);
}

uint32_t UploadTgaTexture(bool decoded, TgaImage* image) {
  uint32_t name = 0;
  if (decoded)
    name = UploadMipmappedTexture(UploadFormat::kRgba, image->width, image->height, image->pixels);
  else
    ReportFailure(*image);
  FreeTgaImage(image);
  return name;
}

uint32_t LoadTgaResourceTexture(const char* /*name*/, int resourceId) {
  TgaImage image;
  const bool decoded = LoadTgaResourceImage(resourceId, &image) && ExpandTgaToRgba(&image);
  return UploadTgaTexture(decoded, &image);
}
