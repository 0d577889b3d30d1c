// RarUnpacker: expands archive members packed with the RAR 2.0 method
// (LZ77 over a 1 MiB window with canonical Huffman codes, plus the
// multimedia mode's adaptive audio predictor). RarReader owns one unpacker
// for the whole extraction so that solid archives carry their state from
// member to member.
#pragma once

#include <cstdint>

// Where the packed bytes of the current member come from.
class PackedInput {
 public:
  virtual ~PackedInput() = default;
  // Reads up to count bytes, limited by the member's remaining pack size,
  // through the archive's all-or-nothing read primitive; returns the number
  // of bytes read (0 at the end of the data).
  virtual uint32_t ReadPacked(uint8_t* destination, uint32_t count) = 0;
};

// The member being expanded.
struct UnpackTarget {
  uint8_t* output;        // unpackedSize bytes, or null when output is suppressed
  uint32_t* outputSize;   // advanced by every byte written to output
  uint32_t unpackedSize;  // from the file header
  bool solid;             // file flag 0x10: keep the state of the previous member
};

class RarUnpacker {
 public:
  // Expands one member into window (0x100000 bytes, owned by the caller)
  // and, when target.output is set, into the output buffer. Never reads
  // outside the input nor writes outside the window and the output; damaged
  // data yields wrong bytes that the caller's CRC check rejects.
  void Unpack(PackedInput& input, uint8_t* window, const UnpackTarget& target);
};
