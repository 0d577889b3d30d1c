// Huffman code lengths for the RAR 2.0 packer: lengths limited to 15 bits
// from symbol frequencies, and the canonical codes the unpacker derives from
// them (shorter codes first, equal lengths in symbol order).
#pragma once

#include <cstdint>

// Sets lengths[0..count) for the frequencies (0 = unused, no code), none
// longer than maxLength, or than the fewest bits that give every used
// symbol a code if maxLength is less. At least two symbols get a code, so
// every table is a complete prefix code: symbols 0 and 1 are added with
// frequency 1 where needed.
void BuildCodeLengths(const uint32_t* frequencies, uint32_t count, uint32_t maxLength, uint8_t* lengths);

// The canonical code of every symbol with a non-zero length.
void AssignCanonicalCodes(const uint8_t* lengths, uint32_t count, uint16_t* codes);

// Bits needed to code the frequencies with the lengths.
uint64_t CodedBits(const uint32_t* frequencies, const uint8_t* lengths, uint32_t count);
