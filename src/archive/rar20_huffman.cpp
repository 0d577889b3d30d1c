// Building the canonical code tables and decoding long codes. Codes are
// assigned in order of length, and within a length in symbol order, so the
// codes of length i are the 16-bit values from limit[i - 1] up to limit[i].
#include "archive/rar20_huffman.h"

#include <cstring>

namespace {

constexpr uint32_t kLimitCap = 0xFFFF;  // limits are capped here by the format

// A capped limit admits every value a peek can give (bit 0 is cleared, so
// at most 0xFFFE), exactly like 0x10000 would.
uint32_t LimitEnd(uint32_t limit) { return limit == kLimitCap ? 0x10000 : limit; }

uint32_t SlotSymbol(const HuffmanTable& table, uint32_t slot) {
  return table.symbols[slot < table.symbolCount ? slot : 0];
}

uint32_t SlotOf(const HuffmanTable& table, uint32_t length, uint32_t value) {
  return table.start[length] + ((value - table.limit[length - 1]) >> (16 - length));
}

void BuildLimits(const uint8_t* lengths, uint32_t count, HuffmanTable* table) {
  uint32_t lengthCount[16] = {};
  for (uint32_t i = 0; i < count; ++i) lengthCount[lengths[i] & 15]++;
  lengthCount[0] = 0;
  uint32_t codes = 0;  // running code value; stays below 2^25 for 298 symbols
  table->limit[0] = 0;
  table->start[0] = 0;
  for (uint32_t i = 1; i < 16; ++i) {
    codes = 2 * (codes + lengthCount[i]);
    uint32_t limit = codes << (15 - i);
    table->limit[i] = limit > kLimitCap ? kLimitCap : limit;
    table->start[i] = table->start[i - 1] + lengthCount[i - 1];
  }
}

void PlaceSymbols(const uint8_t* lengths, uint32_t count, HuffmanTable* table) {
  uint32_t next[16];
  std::memcpy(next, table->start, sizeof next);
  std::memset(table->symbols, 0, sizeof table->symbols);
  for (uint32_t symbol = 0; symbol < count; ++symbol)
    if (uint32_t length = lengths[symbol] & 15) table->symbols[next[length]++] = uint16_t(symbol);
}

// Limits of lengths up to kFastBits are multiples of 2^(16 - kFastBits) (or
// capped), so every value with the same prefix gets the same length and slot.
void BuildFastTable(HuffmanTable* table) {
  const uint32_t shift = 16 - HuffmanTable::kFastBits;
  std::memset(table->fast, 0, sizeof table->fast);
  for (uint32_t length = 1; length <= HuffmanTable::kFastBits; ++length) {
    uint32_t first = LimitEnd(table->limit[length - 1]) >> shift;
    uint32_t end = LimitEnd(table->limit[length]) >> shift;
    for (uint32_t prefix = first; prefix < end; ++prefix) {
      uint32_t symbol = SlotSymbol(*table, SlotOf(*table, length, prefix << shift));
      table->fast[prefix] = uint16_t(symbol << 4 | length);
    }
  }
}

}  // namespace

void BuildHuffmanTable(const uint8_t* lengths, uint32_t count, HuffmanTable* table) {
  BuildLimits(lengths, count, table);
  PlaceSymbols(lengths, count, table);
  table->symbolCount = count;
  BuildFastTable(table);
}

uint32_t DecodeLongSymbol(const HuffmanTable& table, uint32_t value, uint32_t* length) {
  uint32_t n = HuffmanTable::kFastBits + 1;
  while (n < rar20::kMaxCodeLength && value >= table.limit[n]) ++n;
  *length = n;
  return SlotSymbol(table, SlotOf(table, n, value));
}
