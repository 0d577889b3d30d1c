// Hash chains and the byte-pair table of the RAR 2.0 packer.
#include "rar20_match_finder.h"

#include "archive/rar20_format.h"

void Rar20MatchFinder::Reset(const uint8_t* bytes, uint32_t count) {
  data = bytes;
  size = count;
  inserted = 0;
  heads.assign(1u << kHashBits, 0);
  chain.assign(rar20::kWindowSize, 0);  // links beyond the window are never followed
  pairs.assign(1u << 16, 0);
}

uint32_t Rar20MatchFinder::Hash(uint32_t position) const {
  const uint8_t* p = data + position;
  uint32_t key = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  return (key * 2654435761u) >> (32 - kHashBits);
}

void Rar20MatchFinder::InsertUpTo(uint32_t end) {
  for (; inserted < end; ++inserted) {
    if (inserted + 2 > size) continue;
    pairs[uint32_t(data[inserted]) << 8 | data[inserted + 1]] = inserted + 1;
    if (inserted + 3 > size) continue;
    uint32_t& head = heads[Hash(inserted)];
    chain[inserted & (rar20::kWindowSize - 1)] = head;
    head = inserted + 1;
  }
}

uint32_t Rar20MatchFinder::PairDistance(uint32_t position) const {
  if (position + 2 > size) return 0;
  uint32_t link = pairs[uint32_t(data[position]) << 8 | data[position + 1]];
  return link != 0 && link - 1 < position ? position - (link - 1) : 0;
}

uint32_t Rar20MatchFinder::MatchLength(uint32_t position, uint32_t distance, uint32_t maxLength) const {
  const uint8_t* here = data + position;
  const uint8_t* there = here - distance;
  uint32_t length = 0;
  while (length < maxLength && here[length] == there[length]) ++length;
  return length;
}

void Rar20MatchFinder::Restore(const Snapshot& s) {
  heads = s.heads;
  pairs = s.pairs;
  inserted = s.inserted;
}
