// ByteCursor: reads little-endian fields front to back from bytes in memory.
// Every read checks the bytes that remain (size - pos) before it takes any,
// so no count, however large, makes it read outside the buffer or wrap an
// offset. The field reads and Take are all or nothing: when too few bytes
// remain they return false and leave both the destination and pos as they
// were. TakeAtMost and SkipAtMost serve formats whose truncated data still
// decodes as far as it goes. Header-only, so that the audio library, which
// links no other part of the saver, reads through it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Little-endian values at p (the caller has checked that the bytes exist).
inline uint16_t LoadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct ByteCursor {
  const uint8_t* data = nullptr;
  size_t size = 0;  // bytes at data
  size_t pos = 0;   // offset of the next byte; may be set past size, then nothing remains

  size_t Remaining() const { return pos < size ? size - pos : 0; }

  // Copies count bytes and advances; false (nothing copied) when fewer remain.
  bool Take(void* destination, size_t count) {
    if (count > Remaining()) return false;
    if (count > 0) std::memcpy(destination, data + pos, count);
    pos += count;
    return true;
  }
  // Copies the first count bytes, or as many as remain; returns how many.
  size_t TakeAtMost(void* destination, size_t count) {
    size_t n = count < Remaining() ? count : Remaining();
    Take(destination, n);
    return n;
  }
  bool Skip(size_t count) {
    if (count > Remaining()) return false;
    pos += count;
    return true;
  }
  // Skips count bytes, or up to the end when fewer remain.
  void SkipAtMost(size_t count) { pos += count < Remaining() ? count : Remaining(); }

  bool ReadU8(uint8_t* value) { return Take(value, 1); }
  bool ReadU16(uint16_t* value) {
    uint8_t b[2];
    if (!Take(b, sizeof b)) return false;
    *value = LoadLe16(b);
    return true;
  }
  bool ReadU32(uint32_t* value) {
    uint8_t b[4];
    if (!Take(b, sizeof b)) return false;
    *value = LoadLe32(b);
    return true;
  }
  // An IEEE single stored as its little-endian bit pattern.
  bool ReadF32(float* value) {
    uint32_t bits;
    if (!ReadU32(&bits)) return false;
    std::memcpy(value, &bits, sizeof bits);
    return true;
  }
};
