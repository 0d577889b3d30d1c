// CRC-32 as RAR uses it for member data and (low 16 bits) for block headers:
// the standard reflected CRC-32, polynomial 0xEDB88320, register preset
// 0xFFFFFFFF, result complemented.
#pragma once

#include <cstddef>
#include <cstdint>

class Crc32Table {
 public:
  // Fills the tables; call once before Update or Checksum.
  void Build();
  // Runs the register over count bytes and returns the new register value
  // (not complemented), so a checksum can be computed in pieces.
  uint32_t Update(uint32_t reg, const uint8_t* bytes, size_t count) const;
  // The standard CRC-32 of count bytes.
  uint32_t Checksum(const uint8_t* bytes, size_t count) const {
    return ~Update(kPreset, bytes, count);
  }

  static constexpr uint32_t kPreset = 0xFFFFFFFFu;

 private:
  static constexpr int kSlices = 8;  // bytes taken a step
  uint32_t entries[kSlices][256] = {};
};
