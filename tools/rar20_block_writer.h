// Blocks of the RAR 2.0 packer: what the unpacker knows at a point of the
// stream (Rar20StreamState), a block of symbols with its code lengths
// (Rar20Block), the exact bit cost of writing a block there, and the
// writing itself: the table-switch symbol in the tables in force, the block
// header (code lengths coded with the code-length code, as deltas against
// the previous block's when that is shorter) and the symbols.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/rar20_audio.h"
#include "archive/rar20_format.h"
#include "rar20_bit_writer.h"
#include "rar20_lz_parser.h"

// The unpacker's state at a point of the stream, as far as the packer's
// choices depend on it.
struct Rar20StreamState {
  LzHistory history;
  bool multimedia = false;
  uint32_t channels = 1;  // 1..4
  uint32_t channel = 0;   // channel of the next multimedia byte
  int channelDelta = 0;
  AudioChannelState audio[rar20::kMaxChannels];
  uint8_t lengths[rar20::kMaxTableSize] = {};  // the tables in force (and the base of delta coding)
  bool tablesRead = false;  // false at the start of a non-solid member: no switch symbol needed
};

struct Rar20Block {
  bool multimedia = false;
  uint32_t channels = 1;                // multimedia only
  std::vector<uint8_t> lengths;         // kLzTableSize, or kAudioSymbols per channel
  std::vector<LzSymbol> lzSymbols;      // LZ mode
  std::vector<uint8_t> audioErrors;     // multimedia mode: one coded error per byte
  uint32_t firstChannel = 0;            // channel of the first multimedia byte
};

// One item of a block header: a symbol of the code-length code.
struct CodeLengthItem {
  uint8_t symbol;  // 0..18
  uint8_t extra;   // value of the extra bits of 16, 17 and 18
};

// How a block header is written: mode bits, the code-length code and the
// items that code the block's lengths.
struct HeaderPlan {
  uint32_t lead = 0;      // multimedia, keep-lengths, [channels - 1]
  uint32_t leadBits = 0;  // 2 or 4
  uint8_t codeLengthLengths[rar20::kCodeLengthSymbols] = {};
  std::vector<CodeLengthItem> items;
  uint64_t bits = 0;
};

// How a block is written at a point of the stream, and its size.
struct BlockPlan {
  HeaderPlan header;
  uint64_t bits = 0;             // table switch + header + symbols
  uint32_t lastCodeBits = 0;     // bits from the start of the block's last Huffman code to its end
  uint32_t lastTableLongest = 0; // longest code of the table that code belongs to
};

// Makes block.lengths, codes of at most maxLength bits, from its symbols'
// frequencies (the table switch always gets a code, so any block can be
// followed by another). A valid extraSymbol (an index into the lengths)
// counts once more, which gives a slightly different code.
void BuildBlockLengths(Rar20Block* block, uint32_t extraSymbol = UINT32_MAX,
                       uint32_t maxLength = rar20::kMaxCodeLength);

// Sets state's table fields to what the unpacker has after block's header.
void AdoptBlockTables(const Rar20Block& block, Rar20StreamState* state);

// The smallest way to write block at a point with state before.
BlockPlan PlanBlock(const Rar20Block& block, const Rar20StreamState& before);

// The plan for the last block of a member that starts at bit startBit: the
// smallest in which at least as many bits follow the start of the last
// code, up to the end of the member's last byte, as the longest code of
// that code's table has. unar may read that far ahead of a code and fails a
// member whose data ends sooner, while libunarr starts a solid successor
// right after the last byte a member needs, so padding bytes are no way
// out. Header variants (slightly worse code-length codes) move the last
// code; false when none fits.
bool PlanLastBlock(const Rar20Block& block, const Rar20StreamState& before, uint64_t startBit, BlockPlan* plan);

void WriteBlock(const Rar20Block& block, const BlockPlan& plan, const Rar20StreamState& before,
                Rar20BitWriter& writer);
