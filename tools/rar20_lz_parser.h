// The LZ half of the RAR 2.0 packer: turns a range of the packer's buffer
// into LzSymbols, the steps of the LZ stream. A match is coded in the
// cheapest of the format's four ways (repeat of the last match, one of the
// four last distances, a 2-byte short match, a length/distance pair) under
// a cost model of bits per symbol; lazy matching looks one byte ahead.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/rar20_format.h"
#include "rar20_match_finder.h"

// One step of the LZ stream: a symbol of the literal/length table and its
// extra bits, then, for long and history matches, a symbol of the distance
// or repeat-length table and its extra bits.
struct LzSymbol {
  uint16_t main = 0;        // 0..297
  int16_t second = -1;      // distance symbol (main >= 270), repeat-length symbol (257..260), else -1
  uint8_t mainBits = 0;     // extra bits after main
  uint8_t secondBits = 0;   // extra bits after second
  uint32_t mainExtra = 0;
  uint32_t secondExtra = 0;
};

// The unpacker's match history, advanced by every match.
struct LzHistory {
  uint32_t distances[4] = {};
  uint32_t count = 0;  // ring counter
  uint32_t lastDistance = 0;
  uint32_t lastLength = 0;
};

// Bits each symbol costs, per table.
struct LzCosts {
  uint32_t literal[rar20::kLiteralSymbols];
  uint32_t distance[rar20::kDistanceSymbols];
  uint32_t repeatLength[rar20::kRepeatLengthSymbols];

  // Flat guesses for a first parse.
  static LzCosts Initial();
  // The code lengths of a parse; unused symbols cost more than any code.
  static LzCosts FromLengths(const uint8_t* lzLengths);
};

struct LzSearchLimits {
  uint32_t maxChain = 32;     // candidates examined per position
  uint32_t niceLength = 128;  // a match this long is taken without looking further
  uint32_t lazyLength = 32;   // shorter matches are compared with the next position's
};

class Rar20LzParser {
 public:
  Rar20LzParser(Rar20MatchFinder& finder, const uint8_t* data, LzSearchLimits limits)
      : finder(finder), data(data), limits(limits) {}

  // Appends the steps for data[begin, end) to out, matching against every
  // earlier byte of the buffer (within the window) and advancing history.
  void Parse(uint32_t begin, uint32_t end, const LzCosts& costs, LzHistory* history,
             std::vector<LzSymbol>* out);

 private:
  struct Choice {
    int32_t gain = 0;  // bits saved against coding the bytes as literals
    uint32_t length = 0;
    uint32_t distance = 0;
    LzSymbol symbol;
  };
  Choice Best(uint32_t position, uint32_t end, const LzHistory& history) const;
  void Consider(uint32_t position, uint32_t length, uint32_t distance, const LzSymbol& symbol,
                Choice* best) const;
  uint32_t SymbolCost(const LzSymbol& s) const;

  Rar20MatchFinder& finder;
  const uint8_t* data;
  LzSearchLimits limits;
  const LzCosts* costs = nullptr;
  uint32_t segmentBegin = 0;
  std::vector<uint32_t> literalCostSum;  // bits of data[segmentBegin, segmentBegin + i) as literals
};

// The ways of coding one step; each returns false when the format cannot
// express it.
LzSymbol LiteralSymbol(uint8_t byte);
bool LongMatchSymbol(uint32_t length, uint32_t distance, LzSymbol* out);
bool HistoryMatchSymbol(uint32_t back, uint32_t length, uint32_t distance, LzSymbol* out);  // back 1..4
bool ShortMatchSymbol(uint32_t distance, LzSymbol* out);
LzSymbol RepeatLastSymbol();

// Advances the history as the unpacker does for a match.
void RecordMatch(LzHistory* history, uint32_t length, uint32_t distance);
