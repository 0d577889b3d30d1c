// Display modes as the configuration dialog lists them: the filter over
// the modes the display reports (at least 640 x 480 at 16 bits, runs of
// equal modes listed once) and the text form "%d x %d %d bits" used to
// write an entry and to read the chosen one back. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

struct DisplayMode {
  uint32_t width = 0;   // pixels
  uint32_t height = 0;  // pixels
  uint32_t bits = 0;    // bits per pixel
};

constexpr uint32_t kMinListedWidth = 640;   // pixels
constexpr uint32_t kMinListedHeight = 480;  // pixels
constexpr uint32_t kMinListedBits = 16;

// Longest text of a mode: three 10-digit numbers and the separators.
constexpr size_t kDisplayModeTextCapacity = 48;

// Decides, mode by mode in enumeration order, which modes are listed:
// large and deep enough, and not equal to the previous listed mode (modes
// that differ only in refresh rate come in runs; equal modes that are not
// adjacent are listed again).
class DisplayModeFilter {
 public:
  bool Accept(const DisplayMode& mode);

 private:
  bool havePrevious_ = false;
  DisplayMode previous_;
};

// "1024 x 768 32 bits"; truncated at capacity.
void FormatDisplayMode(const DisplayMode& mode, char* text, size_t capacity);
// Reads the three numbers of a mode text back; false when one is missing.
// Numbers longer than 32 bits are held at the largest value.
bool ParseDisplayMode(const char* text, DisplayMode* mode);
