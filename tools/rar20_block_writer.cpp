// Block headers and symbol streams of the RAR 2.0 packer.
//
// [SECTION] Code lengths of a block
// [SECTION] Block header
// [SECTION] Plans and writing
#include "rar20_block_writer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "rar20_code_lengths.h"

using namespace rar20;

namespace {

// [SECTION] Code lengths of a block

uint32_t TableSize(const Rar20Block& block) {
  return block.multimedia ? kAudioSymbols * block.channels : kLzTableSize;
}

// Index of an LZ step's second symbol within the block's lengths.
uint32_t SecondIndex(const LzSymbol& s) {
  return (s.main >= kFirstLongMatch ? kLiteralSymbols : kLiteralSymbols + kDistanceSymbols) + uint32_t(s.second);
}

// Frequencies of the symbols the block writes, laid out like its lengths.
std::vector<uint32_t> SymbolFrequencies(const Rar20Block& block) {
  std::vector<uint32_t> f(TableSize(block), 0);
  if (block.multimedia) {
    uint32_t channel = block.firstChannel;
    for (uint8_t error : block.audioErrors) {
      f[channel * kAudioSymbols + error]++;
      if (++channel >= block.channels) channel = 0;
    }
    return f;
  }
  for (const LzSymbol& s : block.lzSymbols) {
    f[s.main]++;
    if (s.second >= 0) f[SecondIndex(s)]++;
  }
  return f;
}

// The tables of a block: offset and size of each within the lengths.
std::vector<std::pair<uint32_t, uint32_t>> TableSlices(const Rar20Block& block) {
  if (block.multimedia) {
    std::vector<std::pair<uint32_t, uint32_t>> slices;
    for (uint32_t c = 0; c < block.channels; ++c) slices.push_back({c * kAudioSymbols, kAudioSymbols});
    return slices;
  }
  return {{0, kLiteralSymbols},
          {kLiteralSymbols, kDistanceSymbols},
          {kLiteralSymbols + kDistanceSymbols, kRepeatLengthSymbols}};
}

// The block's last Huffman code: its index in the lengths, the bits from
// its start to the block's end, and the table it belongs to. False for a
// block without symbols.
struct LastCode {
  uint32_t index;
  uint32_t bitsToEnd;
  std::pair<uint32_t, uint32_t> table;  // offset and size within the lengths
};
bool FindLastCode(const Rar20Block& block, LastCode* last) {
  const uint8_t* lengths = block.lengths.data();
  if (block.multimedia) {
    if (block.audioErrors.empty()) return false;
    uint32_t channel = uint32_t((block.firstChannel + block.audioErrors.size() - 1) % block.channels);
    last->index = channel * kAudioSymbols + block.audioErrors.back();
    last->bitsToEnd = lengths[last->index];
    last->table = {channel * kAudioSymbols, kAudioSymbols};
    return true;
  }
  if (block.lzSymbols.empty()) return false;
  const LzSymbol& s = block.lzSymbols.back();
  if (s.second < 0) {
    last->index = s.main;
    last->bitsToEnd = lengths[s.main] + s.mainBits;
    last->table = {0, kLiteralSymbols};
  } else {
    last->index = SecondIndex(s);
    last->bitsToEnd = lengths[last->index] + s.secondBits;
    last->table = s.main >= kFirstLongMatch ? std::make_pair(kLiteralSymbols, kDistanceSymbols)
                                            : std::make_pair(kLiteralSymbols + kDistanceSymbols, kRepeatLengthSymbols);
  }
  return true;
}

// [SECTION] Block header

uint32_t ExtraBitsOf(uint32_t symbol) {
  return symbol == kRepeatPrevious ? 2 : symbol == kShortZeroRun ? 3 : symbol == kLongZeroRun ? 7 : 0;
}

// Codes lengths[0, size) against base: zero runs, repeats of the previous
// length, and otherwise the difference to base modulo 16.
std::vector<CodeLengthItem> CodeLengthItems(const uint8_t* lengths, uint32_t size, const uint8_t* base) {
  std::vector<CodeLengthItem> items;
  uint32_t i = 0;
  while (i < size) {
    uint32_t run = 1;
    if (lengths[i] == 0) {
      while (i + run < size && run < 138 && lengths[i + run] == 0) ++run;
      if (run >= 11) {
        items.push_back({uint8_t(kLongZeroRun), uint8_t(run - 11)});
        i += run;
        continue;
      }
      if (run >= 3) {
        items.push_back({uint8_t(kShortZeroRun), uint8_t(run - 3)});
        i += run;
        continue;
      }
    }
    if (i > 0) {
      run = 0;
      while (i + run < size && run < 6 && lengths[i + run] == lengths[i - 1]) ++run;
      if (run >= 3) {
        items.push_back({uint8_t(kRepeatPrevious), uint8_t(run - 3)});
        i += run;
        continue;
      }
    }
    items.push_back({uint8_t((lengths[i] - base[i]) & 15), 0});
    ++i;
  }
  return items;
}

// Plans the header; bonus (added to the frequency of code-length symbol
// bonusSymbol) gives a slightly different, still complete, code-length code.
HeaderPlan PlanHeader(const Rar20Block& block, const uint8_t* base, bool keep, uint32_t bonusSymbol = 0,
                      uint32_t bonus = 0) {
  HeaderPlan plan;
  plan.lead = (block.multimedia ? 2 : 0) | (keep ? 1 : 0);
  plan.leadBits = 2;
  if (block.multimedia) {
    plan.lead = plan.lead << 2 | (block.channels - 1);
    plan.leadBits = 4;
  }
  plan.items = CodeLengthItems(block.lengths.data(), TableSize(block), base);
  uint32_t frequencies[kCodeLengthSymbols] = {};
  for (const CodeLengthItem& item : plan.items) frequencies[item.symbol]++;
  frequencies[bonusSymbol] += bonus;
  BuildCodeLengths(frequencies, kCodeLengthSymbols, kMaxCodeLength, plan.codeLengthLengths);
  plan.bits = plan.leadBits + 4 * kCodeLengthSymbols;
  for (const CodeLengthItem& item : plan.items)
    plan.bits += plan.codeLengthLengths[item.symbol] + ExtraBitsOf(item.symbol);
  return plan;
}

// Deltas against the previous block pay off when a block resembles the
// last one; they are used only between blocks of the same layout, so no
// unpacker depends on lengths a different layout left behind.
bool MayKeepLengths(const Rar20Block& block, const Rar20StreamState& before) {
  return before.tablesRead && before.multimedia == block.multimedia &&
         (!block.multimedia || before.channels == block.channels);
}

const uint8_t* HeaderBase(bool keep, const Rar20StreamState& before) {
  static const uint8_t kZeros[kMaxTableSize] = {};
  return keep ? before.lengths : kZeros;
}

void WriteHeader(const HeaderPlan& plan, Rar20BitWriter& writer) {
  writer.Write(plan.lead, plan.leadBits);
  for (uint8_t length : plan.codeLengthLengths) writer.Write(length, 4);
  uint16_t codes[kCodeLengthSymbols];
  AssignCanonicalCodes(plan.codeLengthLengths, kCodeLengthSymbols, codes);
  for (const CodeLengthItem& item : plan.items) {
    writer.Write(codes[item.symbol], plan.codeLengthLengths[item.symbol]);
    writer.Write(item.extra, ExtraBitsOf(item.symbol));
  }
}

// [SECTION] Plans and writing

// Bits of the table switch in the tables in force (none at a member's start).
uint32_t SwitchBits(const Rar20StreamState& before) {
  if (!before.tablesRead) return 0;
  return before.multimedia ? before.lengths[before.channel * kAudioSymbols + kAudioNewTables]
                           : before.lengths[kNewTables];
}

uint64_t SymbolBits(const Rar20Block& block) {
  std::vector<uint32_t> f = SymbolFrequencies(block);
  uint64_t bits = CodedBits(f.data(), block.lengths.data(), uint32_t(f.size()));
  for (const LzSymbol& s : block.lzSymbols) bits += s.mainBits + s.secondBits;
  return bits;
}

BlockPlan CompletePlan(const Rar20Block& block, const Rar20StreamState& before, HeaderPlan header,
                       uint64_t symbolBits) {
  BlockPlan plan;
  plan.bits = SwitchBits(before) + header.bits + symbolBits;
  plan.header = std::move(header);
  LastCode last;
  if (FindLastCode(block, &last)) {
    plan.lastCodeBits = last.bitsToEnd;
    for (uint32_t i = 0; i < last.table.second; ++i)
      plan.lastTableLongest = std::max<uint32_t>(plan.lastTableLongest, block.lengths[last.table.first + i]);
  }
  return plan;
}

// True when the member's data, padded to a whole byte, leaves the longest
// code of its table after the start of the block's last code.
bool LastCodeHasRoom(const BlockPlan& plan, uint64_t startBit) {
  uint64_t end = startBit + plan.bits;
  uint64_t dataEnd = (end + 7) / 8 * 8;
  return dataEnd - (end - plan.lastCodeBits) >= plan.lastTableLongest;
}

}  // namespace

void BuildBlockLengths(Rar20Block* block, uint32_t extraSymbol, uint32_t maxLength) {
  std::vector<uint32_t> f = SymbolFrequencies(*block);
  if (extraSymbol < f.size()) f[extraSymbol]++;
  // Every table can end its block: the switch symbol always gets a code.
  if (block->multimedia) {
    for (uint32_t c = 0; c < block->channels; ++c) f[c * kAudioSymbols + kAudioNewTables]++;
  } else {
    f[kNewTables]++;
  }
  block->lengths.assign(f.size(), 0);
  for (const auto& slice : TableSlices(*block))
    BuildCodeLengths(f.data() + slice.first, slice.second, maxLength, block->lengths.data() + slice.first);
}

void AdoptBlockTables(const Rar20Block& block, Rar20StreamState* state) {
  std::memset(state->lengths, 0, sizeof state->lengths);
  std::memcpy(state->lengths, block.lengths.data(), block.lengths.size());
  state->multimedia = block.multimedia;
  if (block.multimedia) state->channels = block.channels;
  state->tablesRead = true;
}

BlockPlan PlanBlock(const Rar20Block& block, const Rar20StreamState& before) {
  uint64_t symbolBits = SymbolBits(block);
  HeaderPlan header = PlanHeader(block, HeaderBase(false, before), false);
  if (MayKeepLengths(block, before)) {
    HeaderPlan delta = PlanHeader(block, HeaderBase(true, before), true);
    if (delta.bits < header.bits) header = std::move(delta);
  }
  return CompletePlan(block, before, std::move(header), symbolBits);
}

bool PlanLastBlock(const Rar20Block& block, const Rar20StreamState& before, uint64_t startBit, BlockPlan* plan) {
  *plan = PlanBlock(block, before);
  if (LastCodeHasRoom(*plan, startBit)) return true;
  uint64_t symbolBits = SymbolBits(block);
  bool found = false;
  for (bool keep : {false, true}) {
    if (keep && !MayKeepLengths(block, before)) continue;
    for (uint32_t symbol = 0; symbol < kCodeLengthSymbols; ++symbol) {
      for (uint32_t bonus : {1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u, 55u}) {
        BlockPlan variant =
            CompletePlan(block, before, PlanHeader(block, HeaderBase(keep, before), keep, symbol, bonus), symbolBits);
        if (LastCodeHasRoom(variant, startBit) && (!found || variant.bits < plan->bits)) {
          *plan = std::move(variant);
          found = true;
        }
      }
    }
  }
  return found;
}

void WriteBlock(const Rar20Block& block, const BlockPlan& plan, const Rar20StreamState& before,
                Rar20BitWriter& writer) {
  if (before.tablesRead) {
    uint32_t offset = before.multimedia ? before.channel * kAudioSymbols : 0;
    uint32_t size = before.multimedia ? kAudioSymbols : kLiteralSymbols;
    uint32_t symbol = before.multimedia ? kAudioNewTables : kNewTables;
    uint16_t codes[kMaxSymbols];
    AssignCanonicalCodes(before.lengths + offset, size, codes);
    writer.Write(codes[symbol], before.lengths[offset + symbol]);
  }
  WriteHeader(plan.header, writer);

  std::vector<uint16_t> codes(block.lengths.size());
  for (const auto& slice : TableSlices(block))
    AssignCanonicalCodes(block.lengths.data() + slice.first, slice.second, codes.data() + slice.first);
  const uint8_t* lengths = block.lengths.data();
  if (block.multimedia) {
    uint32_t channel = block.firstChannel;
    for (uint8_t error : block.audioErrors) {
      uint32_t index = channel * kAudioSymbols + error;
      writer.Write(codes[index], lengths[index]);
      if (++channel >= block.channels) channel = 0;
    }
    return;
  }
  for (const LzSymbol& s : block.lzSymbols) {
    writer.Write(codes[s.main], lengths[s.main]);
    writer.Write(s.mainExtra, s.mainBits);
    if (s.second < 0) continue;
    writer.Write(codes[SecondIndex(s)], lengths[SecondIndex(s)]);
    writer.Write(s.secondExtra, s.secondBits);
  }
}
