// The canonical Huffman tables of RAR 2.0: BuildHuffmanTable turns a list of
// code lengths into a HuffmanTable and DecodeSymbol reads one symbol through
// it. Decoding follows the format's rule exactly, including what it does
// with damaged tables (over-subscribed or empty codes, slots past the
// alphabet); a lookup table over the first kFastBits bits answers most
// symbols in one step and gives the same answer as the rule.
#pragma once

#include <cstdint>

#include "archive/rar20_bit_input.h"
#include "archive/rar20_format.h"

struct HuffmanTable {
  static constexpr uint32_t kFastBits = 10;  // bits resolved by the lookup table

  uint32_t symbolCount = 0;       // alphabet size; slots at or past it decode as slot 0
  uint32_t limit[16] = {};        // codes of length i are the 16-bit values below limit[i] (max 0xFFFF)
  uint32_t start[16] = {};        // slot of the first code of each length
  uint16_t symbols[rar20::kMaxSymbols] = {};  // symbols in code order
  // Entry for each kFastBits-bit prefix: symbol << 4 | code length, or 0
  // when the code is longer than kFastBits.
  uint16_t fast[1u << kFastBits] = {};
};

// Builds table from count code lengths (each taken modulo 16; 0 = no code).
void BuildHuffmanTable(const uint8_t* lengths, uint32_t count, HuffmanTable* table);

// The slow half of DecodeSymbol for codes longer than kFastBits: the
// symbol of the 16-bit peek value, and its code length in *length.
uint32_t DecodeLongSymbol(const HuffmanTable& table, uint32_t value, uint32_t* length);

// Reads one symbol (always fewer than table.symbolCount, or 0).
inline uint32_t DecodeSymbol(const HuffmanTable& table, Rar20BitCursor& bits) {
  uint32_t value = bits.Peek16() & 0xFFFE;
  uint32_t entry = table.fast[value >> (16 - HuffmanTable::kFastBits)];
  if (entry != 0) {
    bits.Consume(entry & 15);
    return entry >> 4;
  }
  uint32_t length;
  uint32_t symbol = DecodeLongSymbol(table, value, &length);
  bits.Consume(length);
  return symbol;
}
inline uint32_t DecodeSymbol(const HuffmanTable& table, Rar20BitInput& input) {
  return DecodeSymbol(table, input.cursor);
}
