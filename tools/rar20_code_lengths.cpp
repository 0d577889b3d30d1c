// Length-limited Huffman codes: an ordinary Huffman tree, rebuilt with
// flattened frequencies (each halved, plus one) while its depth exceeds the
// limit, which keeps the code close to optimal for the skewed alphabets of
// text and audio.
#include "rar20_code_lengths.h"

#include <algorithm>
#include <vector>

namespace {

struct Node {
  uint64_t weight;
  int parent;
};

// Depth of every used symbol in a Huffman tree over weights (all > 0 for
// the symbols listed); returns the largest depth.
uint32_t HuffmanDepths(const std::vector<uint64_t>& weights, std::vector<uint32_t>* depths) {
  size_t n = weights.size();
  std::vector<Node> nodes(2 * n);
  std::vector<int> order(n);
  for (size_t i = 0; i < n; ++i) {
    nodes[i] = Node{weights[i], -1};
    order[i] = int(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return weights[a] < weights[b]; });
  // Two queues: the sorted leaves and the merged nodes, which come out in
  // increasing weight by construction.
  size_t leaf = 0, mergedHead = n, next = n;
  auto take = [&]() {
    bool useLeaf = leaf < n && (mergedHead == next || nodes[order[leaf]].weight <= nodes[mergedHead].weight);
    return useLeaf ? order[leaf++] : int(mergedHead++);
  };
  while (next < 2 * n - 1) {
    int a = take();
    int b = take();
    nodes[next] = Node{nodes[a].weight + nodes[b].weight, -1};
    nodes[a].parent = nodes[b].parent = int(next);
    ++next;
  }
  uint32_t maxDepth = 0;
  depths->assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    uint32_t d = 0;
    for (int p = nodes[i].parent; p >= 0; p = nodes[p].parent) ++d;
    (*depths)[i] = d;
    maxDepth = std::max(maxDepth, d);
  }
  return maxDepth;
}

}  // namespace

void BuildCodeLengths(const uint32_t* frequencies, uint32_t count, uint32_t maxLength, uint8_t* lengths) {
  std::vector<uint32_t> used;
  std::vector<uint64_t> weights;
  for (uint32_t s = 0; s < count; ++s) {
    lengths[s] = 0;
    if (frequencies[s] > 0) used.push_back(s);
  }
  for (uint32_t s = 0; used.size() < 2 && s < count; ++s)
    if (frequencies[s] == 0) used.insert(std::upper_bound(used.begin(), used.end(), s), s);
  for (uint32_t s : used) weights.push_back(frequencies[s] > 0 ? frequencies[s] : 1);
  while (maxLength < 32 && (uint64_t(1) << maxLength) < used.size()) ++maxLength;  // the least that fits
  std::vector<uint32_t> depths;
  while (HuffmanDepths(weights, &depths) > maxLength)
    for (uint64_t& w : weights) w = w / 2 + 1;
  for (size_t i = 0; i < used.size(); ++i) lengths[used[i]] = uint8_t(depths[i]);
}

void AssignCanonicalCodes(const uint8_t* lengths, uint32_t count, uint16_t* codes) {
  uint32_t lengthCount[16] = {};
  for (uint32_t s = 0; s < count; ++s) lengthCount[lengths[s]]++;
  lengthCount[0] = 0;
  uint32_t next[16] = {};
  uint32_t code = 0;
  for (uint32_t length = 1; length < 16; ++length) {
    code = (code + lengthCount[length - 1]) << 1;
    next[length] = code;
  }
  for (uint32_t s = 0; s < count; ++s) codes[s] = lengths[s] ? uint16_t(next[lengths[s]]++) : 0;
}

uint64_t CodedBits(const uint32_t* frequencies, const uint8_t* lengths, uint32_t count) {
  uint64_t bits = 0;
  for (uint32_t s = 0; s < count; ++s) bits += uint64_t(frequencies[s]) * lengths[s];
  return bits;
}
