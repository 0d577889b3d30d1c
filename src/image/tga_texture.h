// TGA files uploaded as mipmapped RGBA OpenGL textures. The GL context must
// be current.
#pragma once

#include <cstdint>

// Decodes the archive member path and uploads it; returns the GL texture
// name, 0 on failure.
uint32_t LoadTgaTexture(const char* path);

// Decodes "CustomData" resource resourceId and uploads it (name is not
// used); returns the GL texture name, 0 on failure.
uint32_t LoadTgaResourceTexture(const char* name, int resourceId);
