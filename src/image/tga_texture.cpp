// TGA texture upload: decode, widen grey and colour results to RGBA (the
// upload always reads 4 bytes per pixel), build the mipmaps, free the pixels.
#include "image/tga_texture.h"

#include "image/texture_upload.h"
#include "image/tga_image.h"
#include "platform/platform.h"

namespace {

// A picture of a depth the decoder does not know is the one TGA failure the
// user is told about; the texture stays empty either way.
uint32_t ReportFailure(const TgaImage& image) {
  if (image.failure == kTgaUnsupportedDepth) PlatformShowMessage("Unsupported image depth.", "TGA");
  return 0;
}

uint32_t UploadTga(TgaImage* image, TexelSpans* visibleTexels) {
  uint32_t name = 0;
  if (ExpandTgaToRgba(image))
    name = UploadMipmappedTexture(UploadFormat::kRgba, image->width, image->height, image->pixels, visibleTexels);
  FreeTgaImage(image);
  return name;
}

}  // namespace

uint32_t LoadTgaTexture(const char* path, TexelSpans* visibleTexels) {
  TgaImage image;
  if (!LoadTgaImage(path, &image)) return ReportFailure(image);
  return UploadTga(&image, visibleTexels);
}

uint32_t LoadTgaResourceTexture(const char* /*name*/, int resourceId) {
  TgaImage image;
  if (!LoadTgaResourceImage(resourceId, &image)) return ReportFailure(image);
  return UploadTga(&image, nullptr);
}
