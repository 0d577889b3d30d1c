// Memory source, silent error manager and scan limit for libjpeg. These are
// plain C callbacks: no C++ object with a destructor lives in any frame that
// a fatal error long-jumps across.
#include "image/jpeg_glue.h"

#include <cstring>

#include <jerror.h>

namespace {

// [Error manager]

void ErrorExit(j_common_ptr cinfo) {
  JpegErrorExit* errors = reinterpret_cast<JpegErrorExit*>(cinfo->err);
  cinfo->err->format_message(cinfo, errors->message);
  std::longjmp(errors->exit, 1);
}

// Warnings (corrupt data, extraneous bytes) and traces are never shown.
void DiscardMessage(j_common_ptr) {}

// [Memory source]

// The whole file is one buffer, handed over at once.
void InitSource(j_decompress_ptr cinfo) {
  JpegMemorySource* source = reinterpret_cast<JpegMemorySource*>(cinfo->src);
  if (!source->data || source->size == 0) ERREXIT(cinfo, JERR_INPUT_EMPTY);
  source->base.next_input_byte = source->data;
  source->base.bytes_in_buffer = source->size;
}

// Asked for more after the end: the data ended early. Supply an end-of-image
// marker, as libjpeg's own memory sources do, so the decoder finishes with a
// warning and grey rows instead of waiting for bytes that never come.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  static const JOCTET kFakeEnd[2] = {0xFF, JPEG_EOI};
  WARNMS(cinfo, JWRN_JPEG_EOF);
  cinfo->src->next_input_byte = kFakeEnd;
  cinfo->src->bytes_in_buffer = sizeof kFakeEnd;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* source = cinfo->src;
  if (count <= 0) return;
  if (size_t(count) < source->bytes_in_buffer) {
    source->next_input_byte += count;
    source->bytes_in_buffer -= size_t(count);
    return;
  }
  source->next_input_byte += source->bytes_in_buffer;
  source->bytes_in_buffer = 0;
  FillInputBuffer(cinfo);
}

void TermSource(j_decompress_ptr) {}

// [Scan limit]

void LimitScans(j_common_ptr cinfo) {
  j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxJpegScans) FailJpeg(decompress, "too many scans");
}

}  // namespace

void InstallJpegErrorExit(j_decompress_ptr cinfo, JpegErrorExit* errors) {
  cinfo->err = jpeg_std_error(&errors->base);
  errors->base.error_exit = ErrorExit;
  errors->base.output_message = DiscardMessage;
  errors->message[0] = '\0';
}

void FailJpeg(j_decompress_ptr cinfo, const char* why) {
  JpegErrorExit* errors = reinterpret_cast<JpegErrorExit*>(cinfo->err);
  std::snprintf(errors->message, sizeof errors->message, "%s", why);
  std::longjmp(errors->exit, 1);
}

void InstallJpegMemorySource(j_decompress_ptr cinfo, JpegMemorySource* source,
                             const uint8_t* data, uint32_t size) {
  std::memset(source, 0, sizeof *source);
  source->data = data;
  source->size = size;
  source->base.init_source = InitSource;
  source->base.fill_input_buffer = FillInputBuffer;
  source->base.skip_input_data = SkipInputData;
  source->base.resync_to_restart = jpeg_resync_to_restart;
  source->base.term_source = TermSource;
  cinfo->src = &source->base;
}

void InstallJpegScanLimit(j_decompress_ptr cinfo, JpegScanLimit* limit) {
  std::memset(limit, 0, sizeof *limit);
  limit->base.progress_monitor = LimitScans;
  cinfo->progress = &limit->base;
}
