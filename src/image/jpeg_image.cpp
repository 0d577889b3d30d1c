// JPEG decoding over libjpeg (API version 62) from memory: header, bounds
// check, RGB output, and the scanlines read straight into their flipped
// place. A fatal libjpeg error long-jumps back into DecodeJpegImage, which
// frees what it allocated and reports failure; to keep that jump defined the
// function holds no C++ object with a destructor.
#include "image/jpeg_image.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "archive/archive_file.h"
#include "image/jpeg_glue.h"

namespace {

// The reason is prefix and text, cut to the image's failure text.
bool Fail(JpegImage* image, const char* prefix, const char* text) {
  std::snprintf(image->failureText, sizeof image->failureText, "%s%s", prefix, text);
  image->failure = image->failureText;
  return false;
}

// Rejects images the decoder will not allocate for, before any pixel memory.
void RequireDecodableSize(j_decompress_ptr cinfo, uint32_t maxSide) {
  if (cinfo->image_width > maxSide || cinfo->image_height > maxSide)
    FailJpeg(cinfo, "image size out of range");
}

// Row table in libjpeg's image pool (freed by jpeg_destroy_decompress):
// scanline i goes to buffer row height - 1 - i.
JSAMPARRAY BuildFlippedRows(j_decompress_ptr cinfo, uint8_t* pixels, size_t rowBytes) {
  const JDIMENSION height = cinfo->output_height;
  JSAMPARRAY rows = static_cast<JSAMPARRAY>(
      cinfo->mem->alloc_small(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, height * sizeof(JSAMPROW)));
  for (JDIMENSION i = 0; i < height; ++i) rows[i] = pixels + (height - 1 - i) * rowBytes;
  return rows;
}

void ReadAllScanlines(j_decompress_ptr cinfo, JSAMPARRAY rows) {
  while (cinfo->output_scanline < cinfo->output_height) {
    const JDIMENSION done = cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, rows + done, cinfo->output_height - done) == 0)
      FailJpeg(cinfo, "decoder made no progress");
  }
}

}  // namespace

bool DecodeJpegImage(const uint8_t* data, uint32_t size, JpegImage* image, uint32_t maxSide) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegErrorExit errors;
  JpegMemorySource source;
  JpegScanLimit scanLimit;
  uint8_t* volatile pixels = nullptr;  // volatile: read after a long jump
  InstallJpegErrorExit(&cinfo, &errors);
  if (setjmp(errors.exit)) {
    std::free(pixels);
    jpeg_destroy_decompress(&cinfo);
    return Fail(image, "", errors.message);
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxJpegWorkMemory;
  InstallJpegMemorySource(&cinfo, &source, data, size);
  InstallJpegScanLimit(&cinfo, &scanLimit);
  jpeg_read_header(&cinfo, TRUE);
  RequireDecodableSize(&cinfo, maxSide);
  cinfo.out_color_space = JCS_RGB;  // grey is expanded; CMYK and YCCK fail in start
  jpeg_start_decompress(&cinfo);
  const size_t rowBytes = size_t(cinfo.output_width) * cinfo.output_components;
  pixels = static_cast<uint8_t*>(std::calloc(rowBytes * cinfo.output_height, 1));
  if (!pixels) FailJpeg(&cinfo, "out of memory");
  ReadAllScanlines(&cinfo, BuildFlippedRows(&cinfo, pixels, rowBytes));
  image->rowBytes = int(rowBytes);
  image->width = int(cinfo.output_width);
  image->height = int(cinfo.output_height);
  image->pixels = pixels;
  image->failure = nullptr;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool LoadJpegImage(const char* path, JpegImage* image) {
  ArchiveFile file;
  if (!file.OpenMember(path)) return Fail(image, "ARCH:Can't load JPG file: ", path);
  return DecodeJpegImage(file.data, file.size, image);
}

bool LoadJpegResourceImage(int resourceId, JpegImage* image) {
  ArchiveFile file;
  file.OpenResource(resourceId);
  return DecodeJpegImage(file.data, file.size, image);
}

void FreeJpegImage(JpegImage* image) {
  std::free(image->pixels);
  image->pixels = nullptr;
}
