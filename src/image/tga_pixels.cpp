// Pixel stage of the TGA decoder: raw and run-length pixel data, palette
// expansion, 16-bit expansion and the red/blue exchange of 32-bit pixels.
// Output buffers are zero-filled, so pixels a truncated file lacks are black.
#include "image/tga_pixels.h"

#include <cstdlib>
#include <cstring>

namespace {

// Output bytes of one decoded pixel for a file depth of 8, 16, 24 or 32.
int DecodedBytes(int depth) { return depth == 16 ? 3 : depth / 8; }

// A 16-bit value v (x, 5 bits red, 5 green, 5 blue) as blue, green, red.
void Expand16(uint16_t v, uint8_t* out) {
  out[0] = uint8_t((v & 0x1F) << 3);
  out[1] = uint8_t(((v >> 5) & 0x1F) << 3);
  out[2] = uint8_t(((v >> 10) & 0x1F) << 3);
}

// Indices of a colour-mapped image to blue, green, red triples. An index
// past the palette (a damaged file) gives black.
uint8_t* ApplyPalette(const uint8_t* indices, uint32_t count, const uint8_t* palette,
                      uint32_t entries) {
  uint8_t* rgb = static_cast<uint8_t*>(std::calloc(count, 3));
  if (!rgb) return nullptr;
  for (uint32_t i = 0; i < count; ++i)
    if (indices[i] < entries) std::memcpy(rgb + size_t(i) * 3, palette + size_t(indices[i]) * 3, 3);
  return rgb;
}

// The file stores blue, green, red, alpha; OpenGL's RGBA wants red first.
void SwapRedBlue(uint8_t* pixels, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* p = pixels + size_t(i) * 4;
    uint8_t b = p[0];
    p[0] = p[2];
    p[2] = b;
  }
}

}  // namespace

void ReadTgaPixels(ByteCursor& stream, int depth, uint8_t* output, uint32_t count) {
  if (depth != 16) {
    stream.TakeAtMost(output, count * uint32_t(depth / 8));
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    uint16_t v = 0;
    if (!stream.ReadU16(&v)) return;
    Expand16(v, output + size_t(i) * 3);
  }
}

void DecodeTgaRle(uint8_t* output, int width, int height, int depth, ByteCursor& stream) {
  const uint32_t total = uint32_t(width) * uint32_t(height);
  const int outBytes = DecodedBytes(depth);
  uint32_t done = 0;
  while (done < total && stream.Remaining() > 0) {
    uint8_t header = 0;
    stream.ReadU8(&header);
    uint32_t count = (header & 0x7Fu) + 1;
    if (count > total - done) count = total - done;  // a packet never passes the image end
    uint8_t* out = output + size_t(done) * outBytes;
    if (header & 0x80) {
      uint8_t pixel[4] = {};
      ReadTgaPixels(stream, depth, pixel, 1);
      for (uint32_t i = 0; i < count; ++i) std::memcpy(out + size_t(i) * outBytes, pixel, outBytes);
    } else {
      ReadTgaPixels(stream, depth, out, count);
    }
    done += count;
  }
}

bool DecodeTgaPixels(ByteCursor& stream, TgaImage* image) {
  const uint32_t count = uint32_t(image->width) * image->height;
  const int depth = image->pixelDepth;
  const bool mapped = image->imageType == 1 || image->imageType == 9;
  uint8_t* decoded = static_cast<uint8_t*>(std::calloc(count, DecodedBytes(depth)));
  if (!decoded) return false;
  if (image->imageType >= 9)
    DecodeTgaRle(decoded, image->width, image->height, depth, stream);
  else
    ReadTgaPixels(stream, depth, decoded, count);
  if (mapped) {
    uint8_t* rgb = ApplyPalette(decoded, count, image->palette, image->colorMapLength);
    std::free(decoded);
    if (!rgb) return false;
    decoded = rgb;
  }
  if (depth == 32) SwapRedBlue(decoded, count);
  if (mapped || depth == 16) image->pixelDepth = 24;
  std::free(image->palette);
  image->palette = nullptr;
  image->pixels = decoded;
  return true;
}

int TgaBytesPerPixel(const TgaImage& image) { return image.pixelDepth / 8; }

bool ExpandTgaToRgba(TgaImage* image) {
  const int from = TgaBytesPerPixel(*image);
  if (from == 4) return true;
  const uint32_t count = uint32_t(image->width) * image->height;
  uint8_t* rgba = static_cast<uint8_t*>(std::malloc(size_t(count) * 4));
  if (!rgba) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* in = image->pixels + size_t(i) * from;
    uint8_t* out = rgba + size_t(i) * 4;
    out[0] = in[from == 3 ? 2 : 0];
    out[1] = in[from == 3 ? 1 : 0];
    out[2] = in[0];
    out[3] = 255;
  }
  std::free(image->pixels);
  image->pixels = rgba;
  image->pixelDepth = 32;
  return true;
}
