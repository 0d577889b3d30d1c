// The C-shaped callbacks through which libjpeg decodes from memory without
// printing: a memory source that ends in a fake end-of-image marker, an error
// manager whose fatal-error exit long-jumps back to the decoder, and a
// progress monitor that stops files with an implausible number of scans.
// Internal to the image module; only jpeg_image.cpp includes it.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

static_assert(JPEG_LIB_VERSION == 62, "the decoder is written for the libjpeg 6b interface");

// A progressive file from a normal encoder has about ten scans; thousands of
// tiny scans only make the decoder slow (each scan revisits the whole image).
constexpr int kMaxJpegScans = 100;

// Working memory libjpeg may take beyond the output pixels (the coefficient
// buffer of a progressive image: a 4096 x 4096 colour image needs 96 MiB).
constexpr long kMaxJpegWorkMemory = 128L * 1024 * 1024;

struct JpegMemorySource {
  jpeg_source_mgr base;  // first member: libjpeg sees only this part
  const uint8_t* data;
  uint32_t size;
};

struct JpegErrorExit {
  jpeg_error_mgr base;              // first member: libjpeg sees only this part
  std::jmp_buf exit;                // where a fatal error continues
  char message[JMSG_LENGTH_MAX];    // text of the fatal error
};

struct JpegScanLimit {
  jpeg_progress_mgr base;  // first member: libjpeg sees only this part
};

// libjpeg's standard error manager with error_exit long-jumping to
// errors->exit and output_message discarding every warning and trace text
// (emit_message still counts warnings in base.num_warnings).
void InstallJpegErrorExit(j_decompress_ptr cinfo, JpegErrorExit* errors);

// Ends the decode from inside the decoder or a callback, with the given text.
[[noreturn]] void FailJpeg(j_decompress_ptr cinfo, const char* why);

// Decodes from data[0, size); size 0 reads as an empty file.
void InstallJpegMemorySource(j_decompress_ptr cinfo, JpegMemorySource* source,
                             const uint8_t* data, uint32_t size);

// Fails the decode once the input passes kMaxJpegScans scans.
void InstallJpegScanLimit(j_decompress_ptr cinfo, JpegScanLimit* limit);
