// TGA decoding: the 18-byte header, the type and depth rules, the palette,
// and loading from the data archive or a data resource. The pixel data
// itself is decoded in tga_pixels.cpp.
#include "image/tga_image.h"

#include <cstdlib>

#include "archive/archive_file.h"
#include "image/tga_pixels.h"

const char kTgaUnsupportedDepth[] = "unsupported image depth";

namespace {

// Bytes of the fixed header at the start of every TGA file.
constexpr uint32_t kTgaHeaderBytes = 18;

void ReadHeader(ByteCursor& in, TgaImage* image) {
  in.ReadU8(&image->idLength);
  in.ReadU8(&image->colorMapType);
  in.ReadU8(&image->imageType);
  in.ReadU16(&image->colorMapFirst);
  in.ReadU16(&image->colorMapLength);
  in.ReadU8(&image->colorMapEntrySize);
  in.ReadU16(&image->origin);  // x origin
  in.ReadU16(&image->origin);  // y origin
  in.ReadU16(&image->width);
  in.ReadU16(&image->height);
  in.ReadU8(&image->pixelDepth);
  in.ReadU8(&image->descriptor);
}

bool Fail(TgaImage* image, const char* why) {
  FreeTgaImage(image);
  image->failure = why;
  return false;
}

bool IsColorMapped(int type) { return type == 1 || type == 9; }
bool IsTrueColor(int type) { return type == 2 || type == 10; }
bool IsGrey(int type) { return type == 3 || type == 11; }

// Colour-mapped images need a palette of 3-byte entries. At most 65535
// entries, so the palette is below 192 KiB whatever the header says.
bool ReadPalette(ByteCursor& in, TgaImage* image) {
  if (image->colorMapType != 1 || image->colorMapEntrySize != 24) return false;
  const uint32_t bytes = uint32_t(image->colorMapLength) * 3;
  image->palette = static_cast<uint8_t*>(std::calloc(bytes ? bytes : 1, 1));
  if (!image->palette) return false;
  in.TakeAtMost(image->palette, bytes);
  return true;
}

bool IsKnownDepth(int depth) { return depth == 8 || depth == 16 || depth == 24 || depth == 32; }

// The type and depth combinations the decoder handles.
bool DepthFitsType(int type, int depth) {
  if (IsColorMapped(type) || IsGrey(type)) return depth == 8;
  return depth != 8;  // true-colour: 16, 24 or 32
}

}  // namespace

bool DecodeTgaImage(const uint8_t* data, uint32_t size, TgaImage* image, uint32_t maxSide) {
  *image = TgaImage{};
  if (size < kTgaHeaderBytes) return Fail(image, "header cut short");
  ByteCursor in{data, size, 0};
  ReadHeader(in, image);
  in.SkipAtMost(image->idLength);
  const int type = image->imageType;
  if (IsColorMapped(type)) {
    if (!ReadPalette(in, image)) return Fail(image, "colour map is not a 24-bit palette");
  } else if (!IsTrueColor(type) && !IsGrey(type)) {
    return Fail(image, "unsupported image type");
  }
  if (!IsKnownDepth(image->pixelDepth)) return Fail(image, kTgaUnsupportedDepth);
  if (!DepthFitsType(type, image->pixelDepth)) return Fail(image, "image type and depth do not combine");
  if (image->width == 0 || image->height == 0 || image->width > maxSide || image->height > maxSide)
    return Fail(image, "image size out of range");
  if (!DecodeTgaPixels(in, image)) return Fail(image, "out of memory");
  return true;
}

bool LoadTgaImage(const char* path, TgaImage* image) {
  ArchiveFile file;
  if (!file.OpenMember(path)) {
    *image = TgaImage{};
    image->failure = "member not found";
    return false;
  }
  return DecodeTgaImage(file.data, file.size, image);
}

bool LoadTgaResourceImage(int resourceId, TgaImage* image) {
  ArchiveFile file;
  file.OpenResource(resourceId);
  return DecodeTgaImage(file.data, file.size, image);
}

void FreeTgaImage(TgaImage* image) {
  std::free(image->palette);
  std::free(image->pixels);
  image->palette = nullptr;
  image->pixels = nullptr;
}
