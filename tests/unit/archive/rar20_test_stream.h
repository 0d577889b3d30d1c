// Hand-made RAR 2.0 bit streams for the unpacker's tests. TestStream writes
// bits most significant first, block headers in the plainest form the
// format allows (every code length as a 4-bit delta, the code-length code
// being symbols 0..15 at 4 bits each) and symbols by their canonical codes,
// derived here independently of the packer. VectorInput feeds the bytes to
// RarUnpacker in pieces of any size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "archive/rar20_format.h"
#include "archive/rar_unpacker.h"

class TestStream {
 public:
  void Bits(uint32_t value, uint32_t count) {
    for (uint32_t i = count; i-- > 0;) {
      if (bitCount % 8 == 0) bytes.push_back(0);
      if ((value >> i) & 1) bytes.back() |= uint8_t(0x80 >> (bitCount % 8));
      ++bitCount;
    }
  }

  // A block header. lengths has 374 entries (LZ) or 257 per channel; with
  // keep, each is coded against base (the previous block's lengths).
  void Header(const std::vector<uint8_t>& lengths, bool multimedia, uint32_t channels = 1, bool keep = false,
              const std::vector<uint8_t>& base = {}) {
    Bits((multimedia ? 2 : 0) | (keep ? 1 : 0), 2);
    if (multimedia) Bits(channels - 1, 2);
    for (uint32_t s = 0; s < rar20::kCodeLengthSymbols; ++s) Bits(s < 16 ? 4 : 0, 4);
    for (size_t i = 0; i < lengths.size(); ++i) Bits((lengths[i] - (keep ? base[i] : 0)) & 15, 4);
    tables = lengths;
  }

  // A symbol of the table that starts at offset in the last header's lengths.
  void Symbol(uint32_t symbol, uint32_t offset = 0, uint32_t size = rar20::kLiteralSymbols) {
    std::vector<uint8_t> slice(tables.begin() + offset, tables.begin() + offset + size);
    uint32_t length = slice[symbol];
    Bits(CanonicalCode(slice, symbol), length);
  }
  void Distance(uint32_t symbol) { Symbol(symbol, rar20::kLiteralSymbols, rar20::kDistanceSymbols); }
  void RepeatLength(uint32_t symbol) {
    Symbol(symbol, rar20::kLiteralSymbols + rar20::kDistanceSymbols, rar20::kRepeatLengthSymbols);
  }
  void Audio(uint32_t channel, uint32_t symbol) {
    Symbol(symbol, channel * rar20::kAudioSymbols, rar20::kAudioSymbols);
  }

  static uint32_t CanonicalCode(const std::vector<uint8_t>& lengths, uint32_t symbol) {
    uint32_t code = 0;
    for (uint32_t length = 1; length <= lengths[symbol]; ++length) {
      for (uint32_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] == length && (length < lengths[symbol] || s < symbol)) ++code;
      if (length < lengths[symbol]) code <<= 1;
    }
    return code;
  }

  std::vector<uint8_t> bytes;
  std::vector<uint8_t> tables;  // lengths of the last header
  uint32_t bitCount = 0;
};

// LZ lengths where the listed symbols (of all three tables, numbered as in
// the 374 lengths) get the given code lengths.
inline std::vector<uint8_t> LzLengths(std::initializer_list<std::pair<uint32_t, uint8_t>> codes) {
  std::vector<uint8_t> lengths(rar20::kLzTableSize, 0);
  for (const auto& c : codes) lengths[c.first] = c.second;
  return lengths;
}

class VectorInput : public PackedInput {
 public:
  explicit VectorInput(const std::vector<uint8_t>& bytes, uint32_t piece = UINT32_MAX)
      : bytes(bytes), piece(piece) {}
  uint32_t ReadPacked(uint8_t* destination, uint32_t count) override {
    uint32_t n = std::min<uint32_t>({count, piece, uint32_t(bytes.size() - position)});
    if (n == 0) return 0;
    std::memcpy(destination, bytes.data() + position, n);
    position += n;
    return n;
  }

 private:
  std::vector<uint8_t> bytes;
  uint32_t piece;  // bytes per read at most
  size_t position = 0;
};

// Unpacks one member into a vector of unpackedSize bytes; the result is
// shortened to the bytes actually written.
inline std::vector<uint8_t> UnpackMember(RarUnpacker& unpacker, std::vector<uint8_t>& window,
                                         const std::vector<uint8_t>& packed, uint32_t unpackedSize,
                                         bool solid = false) {
  std::vector<uint8_t> out(unpackedSize);
  uint32_t written = 0;
  VectorInput input(packed);
  unpacker.Unpack(input, window.data(), UnpackTarget{out.data(), &written, unpackedSize, solid});
  out.resize(written);
  return out;
}
