// Upload of decoded pixels into a new mipmapped OpenGL texture. The GL
// context must be current.
#pragma once

#include <cstdint>

class TexelSpans;

// Pixel layouts the decoders produce for upload.
enum class UploadFormat {
  kRgb,   // 3 bytes per pixel: red, green, blue
  kRgba,  // 4 bytes per pixel: red, green, blue, alpha
};

// Generates a texture name, binds it as GL_TEXTURE_2D (it stays bound),
// uploads every mipmap level from tightly packed rows (unpack alignment 1)
// as gluBuild2DMipmaps would make them, and sets the minifying filter to
// GL_LINEAR_MIPMAP_LINEAR and the magnifying filter to GL_LINEAR. Wrap modes
// stay at the GL default. Returns the texture name, or 0 (deleting the name
// again) when the levels cannot be built. visibleTexels, when given, gets
// the map of where level 0 shows (TexelSpans::Build), and stays unbuilt when
// level 0 is not the pixels as given (rescaled by GLU) or nothing uploads.
uint32_t UploadMipmappedTexture(UploadFormat format, int width, int height, const uint8_t* pixels,
                                TexelSpans* visibleTexels = nullptr);
