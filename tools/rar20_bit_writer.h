// Rar20BitWriter: appends bits to a byte vector most significant bit first,
// the order in which the RAR 2.0 unpacker peeks them.
#pragma once

#include <cstdint>
#include <vector>

class Rar20BitWriter {
 public:
  explicit Rar20BitWriter(std::vector<uint8_t>* out) : out(out) {}

  // Writes the low count bits of value (count 0 to 24), highest first.
  void Write(uint32_t value, uint32_t count) {
    pending = pending << count | (value & ((1u << count) - 1));
    pendingBits += count;
    bitCount += count;
    while (pendingBits >= 8) {
      pendingBits -= 8;
      out->push_back(uint8_t(pending >> pendingBits));
    }
  }
  uint64_t BitCount() const { return bitCount; }
  // Fills the last byte with zero bits.
  void PadToByte() {
    if (pendingBits > 0) Write(0, 8 - pendingBits);
  }

 private:
  std::vector<uint8_t>* out;
  uint64_t pending = 0;      // the low pendingBits bits are not yet written
  uint32_t pendingBits = 0;  // 0..7 between calls
  uint64_t bitCount = 0;     // bits written so far
};
