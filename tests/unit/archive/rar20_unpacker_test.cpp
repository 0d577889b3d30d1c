// RarUnpacker on hand-made bit streams: the match kinds and their length
// bonuses, the distance history, block headers with and without the
// keep-lengths bit, multimedia channel cycling, the look-ahead that hands
// new tables to a solid successor, the window wrap, and hostile streams
// that must end without touching memory outside the buffers.
#include <gtest/gtest.h>

#include <random>

#include "archive/rar20_audio.h"
#include "rar20_test_stream.h"

namespace {

using namespace rar20;

// Every symbol of every LZ table gets a code: literals and control symbols
// 9 bits, distances 6, repeat lengths 5.
std::vector<uint8_t> AllCodes(uint8_t literalLength = 9) {
  std::vector<uint8_t> lengths(kLzTableSize, 0);
  for (uint32_t i = 0; i < kLiteralSymbols; ++i) lengths[i] = literalLength;
  for (uint32_t i = 0; i < kDistanceSymbols; ++i) lengths[kLiteralSymbols + i] = 6;
  for (uint32_t i = 0; i < kRepeatLengthSymbols; ++i) lengths[kLiteralSymbols + kDistanceSymbols + i] = 5;
  return lengths;
}

// A long match: length symbol and extra bits, distance symbol and extra bits.
void LongMatch(TestStream& s, uint32_t lengthValue, uint32_t distance) {
  uint32_t slot = 0;
  while (slot + 1 < 28 && kLengthBases[slot + 1] <= lengthValue) ++slot;
  s.Symbol(kFirstLongMatch + slot);
  s.Bits(lengthValue - kLengthBases[slot], kLengthBits[slot]);
  uint32_t code = 0;
  while (code + 1 < 48 && kDistanceBases[code + 1] <= distance - 1) ++code;
  s.Distance(code);
  s.Bits(distance - 1 - kDistanceBases[code], kDistanceBits[code]);
}

// Bytes a reference model produces: literals, and copies one byte at a time.
struct Model {
  std::vector<uint8_t> out;
  void Copy(uint32_t length, uint32_t distance) {
    for (uint32_t i = 0; i < length; ++i) out.push_back(distance <= out.size() ? out[out.size() - distance] : 0);
  }
};

class Rar20Unpacker : public ::testing::Test {
 protected:
  std::vector<uint8_t> Unpack(const TestStream& s, uint32_t size, bool solid = false) {
    return UnpackMember(unpacker, window, s.bytes, size, solid);
  }
  RarUnpacker unpacker;
  std::vector<uint8_t> window = std::vector<uint8_t>(kWindowSize, 0xEE);
};

TEST_F(Rar20Unpacker, DistanceOneMatchRepeatsTheLastByte) {
  TestStream s;
  s.Header(AllCodes(), false);
  s.Symbol('A');
  LongMatch(s, 5 - 3, 1);
  EXPECT_EQ(Unpack(s, 6), std::vector<uint8_t>(6, 'A'));
}

// 300 distinct-looking literals, a match of 7 at distance 300, symbol 256
// (the same match again, which also enters 300 into the history once more)
// and symbol 258 (the second-newest distance, 300 again, with the 0x101
// bonus making repeat length 0 a match of 3).
TEST_F(Rar20Unpacker, RepeatSymbolReusesTheLastMatchAndRecordsItsDistance) {
  TestStream s;
  s.Header(AllCodes(), false);
  Model m;
  for (uint32_t i = 0; i < 300; ++i) {
    m.out.push_back(uint8_t(i * 7 + i / 256));
    s.Symbol(m.out.back());
  }
  LongMatch(s, 7 - 3, 300);
  m.Copy(7, 300);
  s.Symbol(kRepeatLastMatch);
  m.Copy(7, 300);
  s.Symbol(kFirstHistoryMatch + 1);
  s.RepeatLength(0);
  m.Copy(3, 300);
  EXPECT_EQ(Unpack(s, uint32_t(m.out.size())), m.out);
}

TEST_F(Rar20Unpacker, HistorySymbolsCountBackFromTheNewestDistance) {
  for (uint32_t back = 1; back <= 4; ++back) {
    TestStream s;
    s.Header(AllCodes(), false);
    Model m;
    for (char c : std::string("abcdefghijklmnop")) {
      m.out.push_back(uint8_t(c));
      s.Symbol(uint8_t(c));
    }
    const uint32_t distances[4] = {13, 11, 7, 5};  // oldest first
    for (uint32_t d : distances) {
      LongMatch(s, 0, d);
      m.Copy(3, d);
    }
    s.Symbol(kRepeatLastMatch + back);
    s.RepeatLength(1);
    m.Copy(3, distances[4 - back]);
    EXPECT_EQ(Unpack(s, uint32_t(m.out.size())), m.out) << "back " << back;
  }
}

// A long match of coded length 3 just below and at the two bonus distances
// (reaching before the first byte, where the cleared window reads 0).
TEST_F(Rar20Unpacker, FarDistancesLengthenLongMatches) {
  const struct {
    uint32_t distance;
    uint32_t length;  // bytes the match produces
  } kCases[] = {
      {0x1FFF, 3},
      {0x2000, 4},
      {0x3FFFF, 4},
      {0x40000, 5},
      {0x100000, 5},
  };
  for (const auto& c : kCases) {
    TestStream s;
    s.Header(AllCodes(), false);
    s.Symbol('X');
    LongMatch(s, 0, c.distance);
    s.Symbol('Y');
    std::vector<uint8_t> expected(c.length + 2, 0);
    expected.front() = 'X';
    expected.back() = 'Y';
    EXPECT_EQ(Unpack(s, c.length + 2), expected) << "distance " << c.distance;
  }
}

TEST_F(Rar20Unpacker, ShortMatchesCopyTwoBytes) {
  for (uint32_t slot = 0; slot < 8; ++slot) {
    uint32_t distance = kShortDistanceBases[slot] + 1 + ((1u << kShortDistanceBits[slot]) - 1);
    TestStream s;
    s.Header(AllCodes(), false);
    Model m;
    for (uint32_t i = 0; i < 260; ++i) {
      m.out.push_back(uint8_t(i ^ 0x5A));
      s.Symbol(m.out.back());
    }
    s.Symbol(kFirstShortMatch + slot);
    s.Bits((1u << kShortDistanceBits[slot]) - 1, kShortDistanceBits[slot]);
    m.Copy(2, distance);
    EXPECT_EQ(Unpack(s, uint32_t(m.out.size())), m.out) << "slot " << slot;
  }
}

// The second block's lengths are coded as deltas against the first's; the
// same deltas without bit 14 would give different tables.
TEST_F(Rar20Unpacker, KeepBitCodesLengthsAgainstThePreviousBlock) {
  std::vector<uint8_t> first = AllCodes(9);
  std::vector<uint8_t> second = AllCodes(9);
  second['B'] = 2;  // 'B' gets a short code
  second[kNewTables] = 3;
  TestStream s;
  s.Header(first, false);
  s.Symbol('A');
  s.Symbol(kNewTables);
  s.Header(second, false, 1, true, first);
  s.Symbol('B');
  s.Symbol('B');
  EXPECT_EQ(Unpack(s, 3), (std::vector<uint8_t>{'A', 'B', 'B'}));
}

// Three channels whose tables each code a single error value (and the
// table switch): the bytes cycle through channels 0, 1, 2, 0, 1, 2.
TEST_F(Rar20Unpacker, MultimediaBytesCycleThroughTheChannels) {
  std::vector<uint8_t> lengths(3 * kAudioSymbols, 0);
  for (uint32_t c = 0; c < 3; ++c) {
    lengths[c * kAudioSymbols + 10 * (c + 1)] = 1;
    lengths[c * kAudioSymbols + kAudioNewTables] = 1;
  }
  TestStream s;
  s.Header(lengths, true, 3);
  std::vector<uint8_t> expected;
  AudioChannelState states[3];
  int channelDelta = 0;
  for (uint32_t i = 0; i < 7; ++i) {
    uint32_t c = i % 3;
    s.Audio(c, 10 * (c + 1));
    expected.push_back(DecodeAudioByte(states[c], channelDelta, 10 * (c + 1)));
  }
  EXPECT_EQ(Unpack(s, 7), expected);
}

// The first member ends with a table switch; its solid successor decodes
// with the new tables from its first bit.
TEST_F(Rar20Unpacker, LookAheadReadsTablesThatEndTheMember) {
  std::vector<uint8_t> second = LzLengths({{'Q', 1}, {'R', 1}});
  TestStream first;
  first.Header(AllCodes(), false);
  first.Symbol('P');
  first.Symbol(kNewTables);
  first.Header(second, false);
  TestStream next;
  next.tables = second;
  next.Symbol('R');
  next.Symbol('Q');
  EXPECT_EQ(Unpack(first, 1), std::vector<uint8_t>{'P'});
  EXPECT_EQ(Unpack(next, 2, true), (std::vector<uint8_t>{'R', 'Q'}));
}

// "ABC" and matches of 258 bytes repeated by symbol 256 until 1.5 MiB: the
// window wraps and is flushed on the way.
TEST_F(Rar20Unpacker, OutputLongerThanTheWindowWrapsAround) {
  const uint32_t size = 3 + 258 * 6096;
  TestStream s;
  s.Header(LzLengths({{'A', 3}, {'B', 3}, {'C', 3}, {kRepeatLastMatch, 1}, {kFirstLongMatch + 27, 3},
                      {kLiteralSymbols + 2, 1}, {kLiteralSymbols + 3, 1}}),
           false);
  for (char c : std::string("ABC")) s.Symbol(uint8_t(c));
  LongMatch(s, 255, 3);
  for (uint32_t i = 1; i < 6096; ++i) s.Symbol(kRepeatLastMatch);
  std::vector<uint8_t> out = Unpack(s, size);
  ASSERT_EQ(out.size(), size);
  for (uint32_t i = 0; i < size; ++i) ASSERT_EQ(out[i], "ABC"[i % 3]) << i;
}

// A last match that runs past the unpacked size: the output takes the
// bytes that fit and decoding stops.
TEST_F(Rar20Unpacker, MatchPastTheUnpackedSizeFillsTheOutputExactly) {
  TestStream s;
  s.Header(AllCodes(), false);
  s.Symbol('A');
  LongMatch(s, 5 - 3, 1);
  EXPECT_EQ(Unpack(s, 3), std::vector<uint8_t>(3, 'A'));
}

TEST_F(Rar20Unpacker, MemberThatNeedsNoBytesProducesNone) {
  EXPECT_TRUE(Unpack(TestStream(), 0).empty());
}

// Streams a damaged or hostile archive can contain. Each must end with at
// most unpackedSize bytes written (sanitizers watch the memory).
TEST_F(Rar20Unpacker, HostileStreamsEnd) {
  struct Case {
    const char* what;
    std::vector<uint8_t> lengths;
    uint32_t symbol;  // repeated 4000 times after the header
  };
  const Case kCases[] = {
      {"all lengths zero", std::vector<uint8_t>(kLzTableSize, 0), 0},
      {"over-subscribed", std::vector<uint8_t>(kLzTableSize, 1), 0},
      {"repeat of a match never made", LzLengths({{kRepeatLastMatch, 1}, {'a', 1}}), kRepeatLastMatch},
      {"history of distance 0",
       LzLengths({{kFirstHistoryMatch + 2, 1}, {'a', 1}, {kLiteralSymbols + kDistanceSymbols, 1}}),
       kFirstHistoryMatch + 2},
      {"table switch after table switch", LzLengths({{kNewTables, 1}, {'a', 1}}), kNewTables},
  };
  for (const Case& c : kCases) {
    TestStream s;
    s.Header(c.lengths, false);
    if (c.lengths[c.symbol] != 0)
      for (int i = 0; i < 4000; ++i) s.Symbol(c.symbol);
    std::vector<uint8_t> out = Unpack(s, 1u << 20);
    EXPECT_LE(out.size(), 1u << 20) << c.what;
  }
}

TEST_F(Rar20Unpacker, RepeatCodeAtTheFirstLengthRepeatsZero) {
  TestStream s;
  s.Bits(0, 2);
  for (uint32_t i = 0; i < kCodeLengthSymbols; ++i) s.Bits(5, 4);  // every code-length symbol 5 bits
  std::vector<uint8_t> codeLengths(kCodeLengthSymbols, 5);
  s.Bits(TestStream::CanonicalCode(codeLengths, kRepeatPrevious), 5);
  s.Bits(3, 2);  // six times the length before index 0
  for (uint32_t i = 6; i < kLzTableSize; ++i)
    s.Bits(TestStream::CanonicalCode(codeLengths, i == 'Z' || i == 'W' ? 1 : 0), 5);
  s.tables = LzLengths({{'W', 1}, {'Z', 1}});
  s.Symbol('Z');
  EXPECT_EQ(Unpack(s, 1), std::vector<uint8_t>{'Z'});
}

TEST_F(Rar20Unpacker, RandomAndTruncatedStreamsEnd) {
  std::mt19937 random(20);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> bytes(random() % 3000);
    for (uint8_t& b : bytes) b = uint8_t(random());
    uint32_t size = random() % 70000;
    bool solid = round % 3 == 2;
    std::vector<uint8_t> out = UnpackMember(unpacker, window, bytes, size, solid);
    ASSERT_LE(out.size(), size);
  }
  // A valid stream cut short stops with fewer bytes than promised.
  TestStream s;
  s.Header(AllCodes(), false);
  for (int i = 0; i < 2000; ++i) s.Symbol('k');
  s.bytes.resize(s.bytes.size() / 2);
  EXPECT_LT(Unpack(s, 2000).size(), 2000u);
}

}  // namespace
