// RarUnpacker: expands archive members packed with the RAR 2.0 method
// (LZ77 over a 1 MiB window with canonical Huffman codes, plus the
// multimedia mode's adaptive audio predictor). RarReader owns one unpacker
// for the whole extraction so that solid archives carry their state from
// member to member.
#pragma once

#include <cstdint>

#include "archive/rar20_audio.h"
#include "archive/rar20_bit_input.h"
#include "archive/rar20_format.h"
#include "archive/rar20_huffman.h"

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
  // data yields wrong bytes that the caller's CRC check rejects. Decoding
  // ends when the member's bytes are all produced, when the output would
  // pass unpackedSize, or when the bit stream runs past the packed data.
  void Unpack(PackedInput& input, uint8_t* window, const UnpackTarget& target);

  // Forgets the state a solid member would continue from. Call it once per
  // extraction, before the first member, so a first member that claims to
  // be solid starts from the cleared state and a fresh window instead of
  // another extraction's leftovers.
  void Reset() { stateValid = false; }

 private:
  void ClearState();
  void ReadCodeTables();
  void ReadLengths(uint32_t tableSize, uint8_t* lengths);
  void BuildCodeTables(const uint8_t* lengths);
  bool DecodeLoop();
  uint32_t SafeSteps() const;
  void DecodeAudioSteps(uint32_t steps);
  void DecodeLzSteps(uint32_t steps);
  uint32_t CopyMatch(uint32_t to, uint32_t length, uint32_t distance);
  bool FlushNearlyFullWindow();
  bool Flush();
  void LookAheadForNewTables();

  // The current member (valid during Unpack).
  PackedInput* source = nullptr;
  uint8_t* window = nullptr;
  UnpackTarget target = {};
  int64_t remaining = 0;  // bytes still to produce, minus 1; decoding runs while >= 0

  // State that carries over to a solid successor.
  bool stateValid = false;      // a non-solid member has initialised the state below
  uint32_t unpackPosition = 0;  // window index of the next byte to produce
  uint32_t writePosition = 0;   // window index of the first byte not yet copied out
  Rar20BitInput in;
  HuffmanTable literalTable;       // literals, lengths and control symbols (298)
  HuffmanTable distanceTable;      // 48
  HuffmanTable repeatLengthTable;  // 28
  HuffmanTable codeLengthTable;    // 19
  HuffmanTable audioTables[rar20::kMaxChannels];  // 257 each
  uint8_t previousLengths[rar20::kMaxTableSize] = {};
  uint32_t history[4] = {};     // distances of the last four matches
  uint32_t historyCount = 0;    // ring counter: the next entry is history[historyCount & 3]
  uint32_t lastDistance = 0;
  uint32_t lastLength = 0;
  bool multimedia = false;
  uint32_t channels = 1;        // 1..4 in multimedia mode
  uint32_t channel = 0;         // channel of the next multimedia byte
  int channelDelta = 0;         // delta of the previous multimedia byte, -128..127
  AudioChannelState audio[rar20::kMaxChannels];
};
