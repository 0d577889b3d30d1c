// The mipmap levels of an image whose sides are powers of two, built on the
// CPU by a box filter: each level averages 2 x 2 pixels of the level above
// (2 x 1 once one side is a single pixel), per channel, rounded as
// gluBuild2DMipmaps rounds, so the levels are the ones GLU would make,
// without its cost in a software renderer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// True when side is 1, 2, 4, ... (and positive).
bool IsPowerOfTwo(int side);

// Writes the level below `level` (width x height pixels of `channels`
// bytes, tightly packed) into `next`, which holds max(1, width / 2) x
// max(1, height / 2) pixels. Both sides must be powers of two and at least
// one of them above 1.
void HalveLevel(const uint8_t* level, int width, int height, int channels, uint8_t* next);

// Bytes of one level: width x height x channels, in 64 bits.
inline size_t LevelBytes(int width, int height, int channels) {
  return size_t(uint64_t(width) * uint64_t(height) * uint64_t(channels));
}
