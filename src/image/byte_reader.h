// ByteReader: reads a memory buffer front to back for the TGA decoder. Like
// ArchiveFile::Read, a read near the end copies only the bytes that remain
// and leaves the rest of the destination as it was; nothing outside the
// buffer is ever touched.
#pragma once

#include <cstdint>
#include <cstring>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}

  uint32_t Remaining() const { return size_ - position_; }

  // Copies up to count bytes; returns how many were copied.
  uint32_t Read(void* destination, uint32_t count) {
    uint32_t n = count < Remaining() ? count : Remaining();
    if (n > 0) std::memcpy(destination, data_ + position_, n);
    position_ += n;
    return n;
  }

  // Little-endian fields; false (value unchanged) when the bytes are missing.
  bool ReadU8(uint8_t* value) { return Read(value, 1) == 1; }
  bool ReadU16(uint16_t* value) {
    uint8_t b[2];
    if (Read(b, 2) != 2) return false;
    *value = uint16_t(b[0] | (b[1] << 8));
    return true;
  }

  void Skip(uint32_t count) { position_ += count < Remaining() ? count : Remaining(); }

 private:
  const uint8_t* data_;
  uint32_t size_;
  uint32_t position_ = 0;  // never beyond size_
};
