// TgaImage and its decoder: Truevision TGA files (uncompressed and
// run-length, grey, colour-mapped with a 24-bit palette, 16/24/32-bit
// true-colour) decoded into one packed pixel buffer whose rows stay in file
// order, so a file with its origin at the bottom left yields OpenGL's
// bottom-up row order. The origin bits of the descriptor are ignored.
//
// Decoded formats: grey 1 byte per pixel; colour-mapped, 16-bit and 24-bit
// 3 bytes (blue, green, red); 32-bit 4 bytes (red, green, blue, alpha).
#pragma once

#include <cstdint>

#include "archive/byte_cursor.h"
#include "image/image_limits.h"

struct TgaImage {
  uint8_t idLength = 0;           // bytes of image identification after the header
  uint8_t colorMapType = 0;       // 1 when a palette is present
  uint8_t imageType = 0;          // 1, 9 colour-mapped; 2, 10 true-colour; 3, 11 grey
  uint16_t colorMapFirst = 0;     // read, not used
  uint16_t colorMapLength = 0;    // palette entries
  uint8_t colorMapEntrySize = 0;  // bits per palette entry
  uint16_t origin = 0;            // x and then y origin read into it; not used
  uint16_t width = 0;             // pixels
  uint16_t height = 0;            // pixels
  uint8_t pixelDepth = 0;         // bits per pixel; 24 once palette or 16-bit pixels are expanded
  uint8_t descriptor = 0;         // not used
  uint8_t* palette = nullptr;     // colorMapLength * 3 bytes while decoding, then freed
  uint8_t* pixels = nullptr;      // malloc'd, owned by the caller (FreeTgaImage)
  const char* failure = nullptr;  // why decoding failed, for tools and tests
};

// The failure of a file whose depth is not 8, 16, 24 or 32; the texture
// loader tells the user about this one (see tga_texture.h).
extern const char kTgaUnsupportedDepth[];

// Decodes a TGA file held in memory. On failure returns false with pixels
// null and failure set. A truncated file decodes with the missing pixels
// left zero.
bool DecodeTgaImage(const uint8_t* data, uint32_t size, TgaImage* image,
                    uint32_t maxSide = kMaxImageSide);

// Decodes the archive member path.
bool LoadTgaImage(const char* path, TgaImage* image);
// Decodes "CustomData" resource resourceId (a missing one reads as empty).
bool LoadTgaResourceImage(int resourceId, TgaImage* image);

// Expands run-length packets from stream until output holds width * height
// pixels or the stream ends. depth is the file's bits per pixel (8, 16, 24
// or 32); 16-bit pixels come out as 3 bytes, others in file byte order.
void DecodeTgaRle(uint8_t* output, int width, int height, int depth, ByteCursor& stream);

// Bytes per pixel of the decoded pixels: 1, 3 or 4.
int TgaBytesPerPixel(const TgaImage& image);

// Rewrites the decoded pixels as red, green, blue, alpha (grey g becomes
// g, g, g, 255; blue, green, red becomes red, green, blue, 255) for upload.
// False when memory runs out; the image is then unchanged.
bool ExpandTgaToRgba(TgaImage* image);

void FreeTgaImage(TgaImage* image);
