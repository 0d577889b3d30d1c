// Rar20MatchFinder: finds earlier occurrences of the bytes at a position of
// the packer's buffer. Hash chains over 3-byte prefixes give the candidates
// of ordinary matches; a table of the last position of every byte pair
// gives the 2-byte matches that the short-match symbols code. Positions are
// inserted in order; a snapshot lets the packer parse a segment twice.
#pragma once

#include <cstdint>
#include <vector>

struct MatchCandidate {
  uint32_t length = 0;    // bytes
  uint32_t distance = 0;  // bytes back from the position
};

class Rar20MatchFinder {
 public:
  static constexpr uint32_t kHashBits = 16;

  // data stays owned by the caller and must outlive the finder's use.
  void Reset(const uint8_t* data, uint32_t size);
  // Adds every position below end that is not yet inserted.
  void InsertUpTo(uint32_t end);

  // Calls visit(length, distance) for earlier occurrences at most
  // maxDistance back, newest first, whose match is at least 3 and at most
  // maxLength bytes long and longer than any visited before; stops after
  // maxChain candidates or at a match of niceLength.
  template <typename Visit>
  void ForEachLongerMatch(uint32_t position, uint32_t maxLength, uint32_t maxDistance, uint32_t maxChain,
                          uint32_t niceLength, Visit visit) const;
  // The nearest earlier occurrence of the two bytes at position, or 0.
  uint32_t PairDistance(uint32_t position) const;
  // Bytes equal at position and position - distance, at most maxLength.
  uint32_t MatchLength(uint32_t position, uint32_t distance, uint32_t maxLength) const;

  struct Snapshot {
    std::vector<uint32_t> heads, pairs;
    uint32_t inserted;
  };
  void Save(Snapshot* s) const { *s = Snapshot{heads, pairs, inserted}; }
  void Restore(const Snapshot& s);

 private:
  uint32_t Hash(uint32_t position) const;

  const uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t inserted = 0;        // positions below this are in the tables
  std::vector<uint32_t> heads;  // per hash: newest position + 1, 0 = none
  std::vector<uint32_t> chain;  // per position modulo the window: older position + 1
  std::vector<uint32_t> pairs;  // per byte pair: newest position + 1
};

template <typename Visit>
void Rar20MatchFinder::ForEachLongerMatch(uint32_t position, uint32_t maxLength, uint32_t maxDistance,
                                          uint32_t maxChain, uint32_t niceLength, Visit visit) const {
  if (maxLength < 3 || position + 3 > size) return;
  const uint8_t* here = data + position;
  uint32_t best = 2;
  uint32_t mask = uint32_t(chain.size()) - 1;
  for (uint32_t link = heads[Hash(position)]; link != 0 && maxChain > 0; --maxChain) {
    uint32_t candidate = link - 1;
    if (candidate >= position) {  // a stale link from an older parse of this segment
      link = chain[candidate & mask];
      continue;
    }
    uint32_t distance = position - candidate;
    if (distance > maxDistance) return;
    const uint8_t* there = data + candidate;
    if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
      uint32_t length = MatchLength(position, distance, maxLength);
      if (length > best) {
        best = length;
        visit(length, distance);
        if (length >= niceLength || length >= maxLength) return;
      }
    }
    link = chain[candidate & mask];
  }
}
