// JpegImage and its loader: a JPEG file decoded by libjpeg, wholly in memory,
// into packed RGB rows placed bottom-up (the top scanline lands in the last
// row), which is the row order OpenGL expects for texture row 0. Every
// decode yields 3 components: greyscale files are expanded to RGB; CMYK and
// YCCK files are rejected.
#pragma once

#include <cstdint>

#include "image/image_limits.h"

// Length of JpegImage::failureText, as libjpeg's own message buffer.
constexpr int kJpegFailureBytes = 200;

// Not copyable: failure points into the image's own failureText.
struct JpegImage {
  JpegImage() = default;
  JpegImage(const JpegImage&) = delete;
  JpegImage& operator=(const JpegImage&) = delete;

  int rowBytes = 0;               // width * 3; rows follow each other without gaps
  int width = 0;                  // pixels
  int height = 0;                 // pixels
  uint8_t* pixels = nullptr;      // rowBytes * height bytes of R, G, B; malloc'd, freed by FreeJpegImage
  const char* failure = nullptr;  // why the last load failed, for tools and tests; null after a success
  char failureText[kJpegFailureBytes] = {};  // the text failure points at (libjpeg formats its reasons)
};

// Decodes a JPEG file held in memory. True when the image was decoded (data
// that ends early or is corrupt decodes with a warning, as far as it goes)
// with failure null. On failure returns false, sets failure and leaves the
// other fields as they were; nothing is allocated.
bool DecodeJpegImage(const uint8_t* data, uint32_t size, JpegImage* image,
                     uint32_t maxSide = kMaxImageSide);

// Decodes the archive member path.
bool LoadJpegImage(const char* path, JpegImage* image);
// Decodes "CustomData" resource resourceId (a missing one reads as empty).
bool LoadJpegResourceImage(int resourceId, JpegImage* image);

void FreeJpegImage(JpegImage* image);
