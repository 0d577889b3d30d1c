// DecodedTexture: the pixels of one listed texture, decoded from the data
// archive by the file-name ending and held until upload. Decoding needs no
// GL context, so the texture list decodes on a worker thread while the GL
// thread uploads (texture_list_decoder.h); uploading needs the context.
#pragma once

#include <cstdint>

#include "image/jpeg_image.h"
#include "image/tga_image.h"

// How a texture name decodes, by its last three characters compared
// case-sensitively: "jpg" or "JPG" as JPEG, "tga" or "TGA" as TGA.
enum class TextureKind { kNone, kJpeg, kTga };
TextureKind TextureKindOf(const char* name);

// The last three characters of s, or "" when s is shorter.
const char* LastThreeCharacters(const char* s);

// Not copyable (JpegImage is not); frees whatever it still holds.
struct DecodedTexture {
  DecodedTexture() = default;
  DecodedTexture(const DecodedTexture&) = delete;
  DecodedTexture& operator=(const DecodedTexture&) = delete;
  ~DecodedTexture();

  TextureKind kind = TextureKind::kNone;
  bool decoded = false;  // the pixels of jpeg (RGB) or tga (widened to RGBA) are ready
  JpegImage jpeg;
  TgaImage tga;
};

// Decodes the archive member path as kind says (a texture's kind comes from
// the name it was listed under, its path may be cut short) into texture.
// Reads the archive through the process-wide reader, so only one thread at a
// time may.
void DecodeTexture(TextureKind kind, const char* path, DecodedTexture* texture);

// Uploads the decoded pixels as a mipmapped texture and frees them; returns
// the GL texture name, 0 when nothing was decoded. A TGA of a depth the
// decoder does not know shows its message here (see tga_texture.h). The GL
// context must be current.
uint32_t UploadDecodedTexture(DecodedTexture* texture);

// Uploads a decoded JPEG's RGB pixels (decoded: what decoding returned) and
// frees them; 0 when decoding failed. The GL context must be current.
uint32_t UploadJpegTexture(bool decoded, JpegImage* image);
