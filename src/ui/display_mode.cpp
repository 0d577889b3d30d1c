// The display-mode filter and the text form of a mode.
#include "ui/display_mode.h"

#include <cstdio>

namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// Reads a decimal number at p; returns the position after it, or nullptr
// when p holds no digit.
const char* ReadNumber(const char* p, uint32_t* number) {
  if (*p < '0' || *p > '9') return nullptr;
  uint64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + uint64_t(*p - '0');
    if (value > UINT32_MAX) value = UINT32_MAX;
  }
  *number = uint32_t(value);
  return p;
}

}  // namespace

bool DisplayModeFilter::Accept(const DisplayMode& mode) {
  if (mode.width < kMinListedWidth || mode.height < kMinListedHeight || mode.bits < kMinListedBits)
    return false;
  bool repeat = havePrevious_ && mode.width == previous_.width && mode.height == previous_.height &&
                mode.bits == previous_.bits;
  havePrevious_ = true;
  previous_ = mode;
  return !repeat;
}

void FormatDisplayMode(const DisplayMode& mode, char* text, size_t capacity) {
  std::snprintf(text, capacity, "%u x %u %u bits", unsigned(mode.width), unsigned(mode.height),
                unsigned(mode.bits));
}

bool ParseDisplayMode(const char* text, DisplayMode* mode) {
  DisplayMode read;
  const char* p = ReadNumber(SkipBlanks(text), &read.width);
  if (!p) return false;
  p = SkipBlanks(p);
  if (*p != 'x') return false;
  p = ReadNumber(SkipBlanks(p + 1), &read.height);
  if (!p) return false;
  p = ReadNumber(SkipBlanks(p), &read.bits);
  if (!p) return false;
  *mode = read;
  return true;
}
