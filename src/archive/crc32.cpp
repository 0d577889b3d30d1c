// Table-driven CRC-32 (reflected, polynomial 0xEDB88320).
#include "archive/crc32.h"

void Crc32Table::Build() {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    entries[i] = c;
  }
}

uint32_t Crc32Table::Update(uint32_t reg, const uint8_t* bytes, size_t count) const {
  for (size_t i = 0; i < count; ++i) reg = entries[(reg ^ bytes[i]) & 0xFF] ^ (reg >> 8);
  return reg;
}
