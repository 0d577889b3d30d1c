// TGA files uploaded as mipmapped RGBA OpenGL textures. The GL context must
// be current. A file whose depth the decoder does not know shows the message
// "Unsupported image depth." (caption "TGA").
#pragma once

#include <cstdint>

class TexelSpans;

// Decodes the archive member path and uploads it; returns the GL texture
// name, 0 on failure. visibleTexels, when given, gets the map of where the
// texels show (UploadMipmappedTexture).
uint32_t LoadTgaTexture(const char* path, TexelSpans* visibleTexels = nullptr);

// Decodes "CustomData" resource resourceId and uploads it (name is not
// used); returns the GL texture name, 0 on failure.
uint32_t LoadTgaResourceTexture(const char* name, int resourceId);
