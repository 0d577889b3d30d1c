// Texture: one OpenGL texture, the archive path it was loaded from and the
// map of where its texels show. The scene finds textures by this path; the
// loader screen also loads its pictures through it, from data resources.
#pragma once

#include <cstdint>

#include "image/texel_spans.h"

// "textures\" followed by a name of at most 22 characters, and the NUL.
constexpr int kTexturePathBytes = 32;

class Texture {
 public:
  virtual ~Texture() = default;  // releases nothing: GL textures go with the context

  // Sets path to "textures\<name>" (truncated to fit) and loads the image by
  // the last three characters of name, compared case-sensitively: "jpg" or
  // "JPG" decodes a JPEG, "tga" or "TGA" a TGA, both from the archive member
  // path. Any other ending, or a failed load, leaves glName 0. Returns
  // whether a texture was made. Builds texelSpans from the decoded pixels.
  // The GL context must be current.
  bool Load(const char* name);
  // As Load, but a JPEG comes from "CustomData" resource resourceId (path is
  // still set from name); a TGA still comes from the archive.
  bool LoadFromResource(const char* name, int resourceId);

  uint32_t glName = 0;  // OpenGL texture name; 0 when nothing loaded
  char path[kTexturePathBytes] = {};
  TexelSpans texelSpans;  // where level 0 shows; unbuilt when it would not pay (TexelSpans::Build)
};

// Whether a scene object binding the texture requested under path marks it as
// carrying alpha: the last three characters are exactly "tga" (lower case
// only, so "mater.TGA" loads as a TGA but is not marked).
bool TexturePathCarriesAlpha(const char* path);
