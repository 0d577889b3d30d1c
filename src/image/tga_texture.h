// TGA files uploaded as mipmapped RGBA OpenGL textures, in two stages:
// decoding (no GL context) and the upload (the GL context must be current).
// A file whose depth the decoder does not know shows the message
// "Unsupported image depth." (caption "TGA") at the upload.
#pragma once

#include <cstdint>

#include "image/tga_image.h"

// Decodes the archive member path and widens the pixels to RGBA; false on
// failure (image->failure says why, unless memory ran out while widening).
bool DecodeTgaTexturePixels(const char* path, TgaImage* image);

// Uploads the pixels of a decoded image (decoded: what decoding returned)
// and frees them; returns the GL texture name, 0 on failure.
uint32_t UploadTgaTexture(bool decoded, TgaImage* image);

// Decodes "CustomData" resource resourceId and uploads it (name is not
// used); returns the GL texture name, 0 on failure.
uint32_t LoadTgaResourceTexture(const char* name, int resourceId);
