// Pixel stage of the TGA decoder, shared by tga_image.cpp and its tests:
// reads raw or run-length pixel data after the header and palette, expands
// palette indices and 16-bit values, and puts 32-bit pixels in red, green,
// blue, alpha order.
#pragma once

#include <cstdint>

#include "archive/byte_cursor.h"
#include "image/tga_image.h"

// Reads count pixels of the given file depth into output (16-bit pixels are
// expanded to 3 bytes); missing bytes leave output as it was.
void ReadTgaPixels(ByteCursor& stream, int depth, uint8_t* output, uint32_t count);

// Decodes the pixel data of an image whose header (and palette) have been
// read and checked. False when memory runs out.
bool DecodeTgaPixels(ByteCursor& stream, TgaImage* image);
