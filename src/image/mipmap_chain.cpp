// The box filter of the mipmap chain.
#include "image/mipmap_chain.h"

namespace {

// A row of 2 x 2 blocks: rows `top` and `bottom` of width pixels.
void HalveRowPair(const uint8_t* top, const uint8_t* bottom, int width, int channels, uint8_t* out) {
  const int pairs = width / 2;
  for (int x = 0; x < pairs; ++x) {
    for (int c = 0; c < channels; ++c) {
      const int sum = top[c] + top[channels + c] + bottom[c] + bottom[channels + c];
      out[c] = uint8_t((sum + 2) / 4);
    }
    top += 2 * channels;
    bottom += 2 * channels;
    out += channels;
  }
}

// A single row or column: pairs of neighbouring pixels `stride` bytes apart.
void HalveLine(const uint8_t* line, int length, int stride, int channels, uint8_t* out) {
  for (int i = 0; i < length / 2; ++i) {
    for (int c = 0; c < channels; ++c) out[c] = uint8_t((line[c] + line[stride + c]) / 2);
    line += 2 * stride;
    out += channels;
  }
}

}  // namespace

bool IsPowerOfTwo(int side) { return side > 0 && (side & (side - 1)) == 0; }

void HalveLevel(const uint8_t* level, int width, int height, int channels, uint8_t* next) {
  const size_t row = LevelBytes(width, 1, channels);
  if (height == 1) {
    HalveLine(level, width, channels, channels, next);
  } else if (width == 1) {
    HalveLine(level, height, int(row), channels, next);
  } else {
    const size_t nextRow = LevelBytes(width / 2, 1, channels);
    for (int y = 0; y < height / 2; ++y)
      HalveRowPair(level + 2 * y * row, level + (2 * y + 1) * row, width, channels, next + y * nextRow);
  }
}
