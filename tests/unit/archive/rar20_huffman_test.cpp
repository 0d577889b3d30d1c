// The canonical code tables and the bit input: DecodeSymbol, with its
// lookup table, must give exactly what the format's rule gives for every
// 16-bit peek, also for damaged tables; the refill rules keep the address
// modulo 32 and set the read top the way the look-ahead depends on.
#include <gtest/gtest.h>

#include <random>

#include "archive/rar20_huffman.h"
#include "rar20_test_stream.h"

namespace {

using namespace rar20;

// The rule as the format states it: the smallest length whose limit is
// above the value (else 15), then the slot, with slots past the alphabet
// decoding as slot 0.
struct RuleResult {
  uint32_t symbol;
  uint32_t length;
};
RuleResult DecodeByRule(const HuffmanTable& t, uint32_t peek) {
  uint32_t value = peek & 0xFFFE;
  uint32_t length = 1;
  while (length < 15 && value >= t.limit[length]) ++length;
  uint32_t slot = t.start[length] + ((value - t.limit[length - 1]) >> (16 - length));
  return {t.symbols[slot < t.symbolCount ? slot : 0], length};
}

// A bit input whose next 16 bits are value, followed by zeros.
void LoadPeek(Rar20BitInput& in, uint32_t value) {
  VectorInput source({uint8_t(value >> 8), uint8_t(value), 0, 0});
  in.FillFirst(source);
}

void ExpectDecodesByRule(const std::vector<uint8_t>& lengths, const char* what) {
  HuffmanTable table;
  BuildHuffmanTable(lengths.data(), uint32_t(lengths.size()), &table);
  Rar20BitInput in;
  for (uint32_t value = 0; value < 0x10000; ++value) {
    LoadPeek(in, value);
    RuleResult expected = DecodeByRule(table, value);
    uint32_t symbol = DecodeSymbol(table, in);
    ASSERT_EQ(symbol, expected.symbol) << what << " value " << value;
    ASSERT_EQ(in.Peek16(), (value << expected.length) & 0xFFFF) << what << " value " << value;
  }
}

TEST(Rar20Huffman, LookupGivesTheRuleForEveryPeek) {
  std::mt19937 random(7);
  std::vector<std::pair<std::vector<uint8_t>, const char*>> tables;
  tables.push_back({std::vector<uint8_t>(298, 0), "no codes"});
  tables.push_back({std::vector<uint8_t>(298, 1), "over-subscribed"});
  std::vector<uint8_t> single(48, 0);
  single[7] = 1;
  tables.push_back({single, "one code"});
  std::vector<uint8_t> deep(28, 0);
  for (uint32_t i = 0; i < 15; ++i) deep[i] = uint8_t(i + 1);
  deep[15] = 15;
  tables.push_back({deep, "complete, lengths 1 to 15"});
  for (int round = 0; round < 12; ++round) {
    std::vector<uint8_t> lengths(round % 2 ? 257 : 19);
    for (uint8_t& l : lengths) l = uint8_t(random() % 3 == 0 ? 0 : random() % 16);
    tables.push_back({lengths, "random"});
  }
  for (const auto& t : tables) ExpectDecodesByRule(t.first, t.second);
}

TEST(Rar20BitInput, RefillKeepsTheLast32BytesAndTheAddressModulo32) {
  std::vector<uint8_t> bytes(8192 + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 13);
  VectorInput source(bytes);
  Rar20BitInput in;
  in.FillFirst(source);
  in.Consume(8170 * 8 + 3);
  uint32_t before = in.Peek16();
  in.Refill(source);
  EXPECT_EQ(in.Address(), 8170u % 32);
  EXPECT_EQ(in.Peek16(), before);
  EXPECT_TRUE(in.HasBytesLeft(32 + 100 - 10));
  EXPECT_FALSE(in.HasBytesLeft(32 + 100 - 10 + 1));
}

// When a refill brings nothing, the read top drops to the address, so no
// look-ahead starts although kept bytes remain; the data end still counts
// them, so the decoder may consume them.
TEST(Rar20BitInput, EmptyRefillSetsTheReadTopToTheAddress) {
  VectorInput source(std::vector<uint8_t>(8192, 0xA5));
  Rar20BitInput in;
  in.FillFirst(source);
  in.Consume(8163 * 8);
  in.Refill(source);
  EXPECT_EQ(in.Address(), 3u);
  EXPECT_FALSE(in.HasBytesLeft(1));
  in.Consume(28 * 8);
  EXPECT_FALSE(in.PastEndOfData());
  EXPECT_EQ(in.Peek16(), 0xA500u);  // the last data byte, then zeros
  in.Consume(9);
  EXPECT_TRUE(in.PastEndOfData());
}

}  // namespace
