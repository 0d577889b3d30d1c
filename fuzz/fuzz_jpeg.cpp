// Fuzz target for the JPEG glue: any bytes either decode into exactly
// rowBytes x height bytes of RGB with rowBytes = width x 3, or fail with a
// reason, nothing allocated and the image fields untouched. Sides are bounded
// far below the decoder's own bound so one input costs at most 3 MiB.
#include <cstdint>
#include <cstdlib>

#include "image/jpeg_image.h"

namespace {

constexpr uint32_t kFuzzMaxSide = 1024;

void CheckDecoded(const JpegImage& image) {
  if (!image.pixels || image.width < 1 || image.height < 1 || image.rowBytes != image.width * 3 ||
      uint32_t(image.width) > kFuzzMaxSide || uint32_t(image.height) > kFuzzMaxSide || image.failure != nullptr)
    std::abort();
  // First and last byte, so that AddressSanitizer checks the buffer's extent.
  volatile uint8_t edge = image.pixels[0] ^ image.pixels[size_t(image.rowBytes) * image.height - 1];
  (void)edge;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  JpegImage image;
  if (DecodeJpegImage(data, uint32_t(size), &image, kFuzzMaxSide)) {
    CheckDecoded(image);
    FreeJpegImage(&image);
  } else if (image.pixels || image.width != 0 || image.failure == nullptr) {
    std::abort();
  }
  return 0;
}
