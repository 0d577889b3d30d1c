// Fuzz target for the TGA decoder: any bytes either decode into width x
// height pixels of 1, 3 or 4 bytes that widen to RGBA, or fail with a reason
// and nothing allocated. Sides are bounded far below the decoder's own bound
// (the header is read first, as the decoder does) so one input costs at most
// 4 MiB.
#include <cstdint>
#include <cstdlib>

#include "image/tga_image.h"
#include "platform/native_platform.h"

namespace {

constexpr uint32_t kFuzzMaxSide = 1024;

void CheckDecoded(TgaImage* image) {
  const int bpp = TgaBytesPerPixel(*image);
  if (!image->pixels || image->palette || image->width == 0 || image->height == 0 ||
      (bpp != 1 && bpp != 3 && bpp != 4))
    std::abort();
  const size_t bytes = size_t(image->width) * image->height * bpp;
  volatile uint8_t edge = image->pixels[0] ^ image->pixels[bytes - 1];
  (void)edge;
  if (!ExpandTgaToRgba(image) || TgaBytesPerPixel(*image) != 4) std::abort();
  edge = image->pixels[size_t(image->width) * image->height * 4 - 1];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  TgaImage image;
  if (DecodeTgaImage(data, uint32_t(size), &image, kFuzzMaxSide))
    CheckDecoded(&image);
  else if (image.pixels || image.palette || !image.failure)
    std::abort();
  FreeTgaImage(&image);
  native_platform::ResetAll();  // drops the recorded depth messages
  return 0;
}
