// The LZ parse of the RAR 2.0 packer: candidate matches, their costs under
// the current model and the lazy choice between neighbouring positions.
#include "rar20_lz_parser.h"

#include <algorithm>

using namespace rar20;

namespace {

constexpr uint32_t kMaxMatchLength = 257;    // fits every match kind at any distance
constexpr uint32_t kMaxDistance = kWindowSize - 1;
constexpr uint32_t kUnusedSymbolCost = 16;  // bits: more than the longest code

uint32_t LengthSlot(uint32_t value) {  // value 0..255
  return uint32_t(std::upper_bound(kLengthBases, kLengthBases + 28, value) - kLengthBases) - 1;
}

uint32_t DistanceSlot(uint32_t value) {  // value = distance - 1, 0..0xFFFFF
  return uint32_t(std::upper_bound(kDistanceBases, kDistanceBases + 48, value) - kDistanceBases) - 1;
}

uint32_t FarBonus(uint32_t distance) {
  return (distance >= kBonusDistance1 ? 1 : 0) + (distance >= kBonusDistance2 ? 1 : 0);
}

}  // namespace

LzCosts LzCosts::Initial() {
  LzCosts c;
  for (uint32_t s = 0; s < kLiteralSymbols; ++s) c.literal[s] = s < 256 ? 8 : 7;
  for (uint32_t& d : c.distance) d = 5;
  for (uint32_t& r : c.repeatLength) r = 4;
  return c;
}

LzCosts LzCosts::FromLengths(const uint8_t* lzLengths) {
  LzCosts c;
  auto cost = [](uint8_t length) { return length ? uint32_t(length) : kUnusedSymbolCost; };
  for (uint32_t s = 0; s < kLiteralSymbols; ++s) c.literal[s] = cost(lzLengths[s]);
  for (uint32_t s = 0; s < kDistanceSymbols; ++s) c.distance[s] = cost(lzLengths[kLiteralSymbols + s]);
  for (uint32_t s = 0; s < kRepeatLengthSymbols; ++s)
    c.repeatLength[s] = cost(lzLengths[kLiteralSymbols + kDistanceSymbols + s]);
  return c;
}

LzSymbol LiteralSymbol(uint8_t byte) {
  LzSymbol s;
  s.main = byte;
  return s;
}

LzSymbol RepeatLastSymbol() {
  LzSymbol s;
  s.main = kRepeatLastMatch;
  return s;
}

bool LongMatchSymbol(uint32_t length, uint32_t distance, LzSymbol* out) {
  uint32_t bonus = FarBonus(distance);
  if (distance < 1 || distance > kWindowSize || length < 3 + bonus || length - 3 - bonus > 255) return false;
  uint32_t value = length - 3 - bonus;
  uint32_t slot = LengthSlot(value);
  uint32_t code = DistanceSlot(distance - 1);
  *out = LzSymbol();
  out->main = uint16_t(kFirstLongMatch + slot);
  out->mainBits = kLengthBits[slot];
  out->mainExtra = value - kLengthBases[slot];
  out->second = int16_t(code);
  out->secondBits = kDistanceBits[code];
  out->secondExtra = distance - 1 - kDistanceBases[code];
  return true;
}

bool HistoryMatchSymbol(uint32_t back, uint32_t length, uint32_t distance, LzSymbol* out) {
  uint32_t bonus = (distance >= kHistoryBonusDistance ? 1 : 0) + FarBonus(distance);
  if (length < 2 + bonus || length - 2 - bonus > 255) return false;
  uint32_t value = length - 2 - bonus;
  uint32_t slot = LengthSlot(value);
  *out = LzSymbol();
  out->main = uint16_t(kRepeatLastMatch + back);
  out->second = int16_t(slot);
  out->secondBits = kLengthBits[slot];
  out->secondExtra = value - kLengthBases[slot];
  return true;
}

bool ShortMatchSymbol(uint32_t distance, LzSymbol* out) {
  if (distance < 1 || distance > 256) return false;
  uint32_t value = distance - 1;
  uint32_t slot = uint32_t(std::upper_bound(kShortDistanceBases, kShortDistanceBases + 8, value) -
                           kShortDistanceBases) - 1;
  *out = LzSymbol();
  out->main = uint16_t(kFirstShortMatch + slot);
  out->mainBits = kShortDistanceBits[slot];
  out->mainExtra = value - kShortDistanceBases[slot];
  return true;
}

void RecordMatch(LzHistory* h, uint32_t length, uint32_t distance) {
  h->distances[h->count++ & 3] = distance;
  h->lastDistance = distance;
  h->lastLength = length;
}

uint32_t Rar20LzParser::SymbolCost(const LzSymbol& s) const {
  uint32_t bits = costs->literal[s.main] + s.mainBits + s.secondBits;
  if (s.second >= 0)
    bits += s.main >= kFirstLongMatch ? costs->distance[s.second] : costs->repeatLength[s.second];
  return bits;
}

void Rar20LzParser::Consider(uint32_t position, uint32_t length, uint32_t distance, const LzSymbol& symbol,
                             Choice* best) const {
  uint32_t offset = position - segmentBegin;
  int32_t gain = int32_t(literalCostSum[offset + length] - literalCostSum[offset]) - int32_t(SymbolCost(symbol));
  if (gain > best->gain || (gain == best->gain && gain > 0 && length > best->length)) {
    best->gain = gain;
    best->length = length;
    best->distance = distance;
    best->symbol = symbol;
  }
}

Rar20LzParser::Choice Rar20LzParser::Best(uint32_t position, uint32_t end, const LzHistory& h) const {
  Choice best;
  uint32_t maxLength = std::min(kMaxMatchLength, end - position);
  if (maxLength < 2) return best;
  LzSymbol symbol;
  for (uint32_t back = 1; back <= 4; ++back) {
    uint32_t distance = h.distances[(h.count - back) & 3];
    if (distance == 0 || distance > position) continue;
    uint32_t length = finder.MatchLength(position, distance, maxLength);
    if (back == 1 && h.lastLength > 0 && length >= h.lastLength && distance == h.lastDistance)
      Consider(position, h.lastLength, distance, RepeatLastSymbol(), &best);
    if (HistoryMatchSymbol(back, length, distance, &symbol)) Consider(position, length, distance, symbol, &best);
  }
  uint32_t pair = finder.PairDistance(position);
  if (ShortMatchSymbol(pair, &symbol)) Consider(position, 2, pair, symbol, &best);
  finder.ForEachLongerMatch(position, maxLength, std::min(position, kMaxDistance), limits.maxChain,
                            limits.niceLength, [&](uint32_t length, uint32_t distance) {
                              if (LongMatchSymbol(length, distance, &symbol))
                                Consider(position, length, distance, symbol, &best);
                            });
  return best;
}

void Rar20LzParser::Parse(uint32_t begin, uint32_t end, const LzCosts& model, LzHistory* history,
                          std::vector<LzSymbol>* out) {
  costs = &model;
  segmentBegin = begin;
  literalCostSum.assign(end - begin + 1, 0);
  for (uint32_t i = begin; i < end; ++i)
    literalCostSum[i - begin + 1] = literalCostSum[i - begin] + model.literal[data[i]];

  Choice pending;
  bool havePending = false;
  uint32_t position = begin;
  while (position < end) {
    finder.InsertUpTo(position);
    Choice choice = havePending ? pending : Best(position, end, *history);
    havePending = false;
    if (choice.gain > 0 && choice.length < limits.lazyLength && position + 1 < end) {
      finder.InsertUpTo(position + 1);
      Choice next = Best(position + 1, end, *history);
      if (next.gain > choice.gain) {
        pending = next;
        havePending = true;
        choice.gain = 0;
      }
    }
    if (choice.gain <= 0) {
      out->push_back(LiteralSymbol(data[position]));
      ++position;
      continue;
    }
    out->push_back(choice.symbol);
    RecordMatch(history, choice.length, choice.distance);
    position += choice.length;
  }
}
