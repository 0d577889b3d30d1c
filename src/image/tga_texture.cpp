// TGA texture upload: decode, widen grey and colour results to RGBA (the
// upload always reads 4 bytes per pixel), build the mipmaps, free the pixels.
#include "image/tga_texture.h"

#include "image/texture_upload.h"
#include "image/tga_image.h"

namespace {

uint32_t UploadTga(TgaImage* image) {
  uint32_t name = 0;
  if (ExpandTgaToRgba(image))
    name = UploadMipmappedTexture(UploadFormat::kRgba, image->width, image->height, image->pixels);
  FreeTgaImage(image);
  return name;
}

}  // namespace

uint32_t LoadTgaTexture(const char* path) {
  TgaImage image;
  if (!LoadTgaImage(path, &image, 0, 0)) return 0;
  return UploadTga(&image);
}

uint32_t LoadTgaResourceTexture(const char* /*name*/, int resourceId) {
  TgaImage image;
  if (!LoadTgaImage(nullptr, &image, 1, resourceId)) return 0;
  return UploadTga(&image);
}
