// Table-driven CRC-32 (reflected, polynomial 0xEDB88320), eight bytes a
// step: table k gives the register's contribution of a byte that is
// followed by k more bytes, so eight lookups replace eight dependent steps.
#include "archive/crc32.h"

namespace {

// The little-endian 32-bit word at bytes.
uint32_t Word(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

}  // namespace

void Crc32Table::Build() {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    entries[0][i] = c;
  }
  for (int k = 1; k < kSlices; ++k)
    for (uint32_t i = 0; i < 256; ++i) entries[k][i] = (entries[k - 1][i] >> 8) ^ entries[0][entries[k - 1][i] & 0xFF];
}

uint32_t Crc32Table::Update(uint32_t reg, const uint8_t* bytes, size_t count) const {
  for (; count >= 8; bytes += 8, count -= 8) {
    const uint32_t low = reg ^ Word(bytes), high = Word(bytes + 4);
    reg = entries[7][low & 0xFF] ^ entries[6][(low >> 8) & 0xFF] ^ entries[5][(low >> 16) & 0xFF] ^
          entries[4][low >> 24] ^ entries[3][high & 0xFF] ^ entries[2][(high >> 8) & 0xFF] ^
          entries[1][(high >> 16) & 0xFF] ^ entries[0][high >> 24];
  }
  for (size_t i = 0; i < count; ++i) reg = entries[0][(reg ^ bytes[i]) & 0xFF] ^ (reg >> 8);
  return reg;
}
