// The RAR 2.0 decompressor: member set-up, the block header that carries
// the code tables, the main loop over LZ and multimedia symbols, match
// copies in the 1 MiB window and the flushes of the window to the output.
//
// [SECTION] Member set-up and finish
// [SECTION] Code tables
// [SECTION] Main loop
// [SECTION] Window and output
#include "archive/rar_unpacker.h"

#include <cstring>

using namespace rar20;

namespace {

// Byte addresses past which the input is refilled, chosen by the format so
// that the reads of one step stay inside the 8192-byte buffer: a main-loop
// step reads at most 51 bits, a block header's fixed part 80 bits and one
// code-length entry 22 bits.
constexpr uint32_t kMainLoopRefill = 8162;
constexpr uint32_t kHeaderRefill = 8167;
constexpr uint32_t kLengthsRefill = 8187;

// The window is flushed when fewer free bytes than this remain, which is
// more than the longest match (260 bytes) can write.
constexpr uint32_t kFlushMargin = 270;

// A member ends with a look-ahead for a table switch when at least this
// many unread bytes remain.
constexpr uint32_t kLookAheadBytes = 5;

}  // namespace

// [SECTION] Member set-up and finish

void RarUnpacker::Unpack(PackedInput& input, uint8_t* windowBytes, const UnpackTarget& member) {
  source = &input;
  window = windowBytes;
  target = member;
  remaining = int64_t(member.unpackedSize) - 1;
  bool continues = member.solid && stateValid;
  if (!continues) ClearState();
  in.FillFirst(input);
  if (!continues) ReadCodeTables();
  if (DecodeLoop()) LookAheadForNewTables();
  Flush();
  source = nullptr;
}

void RarUnpacker::ClearState() {
  channel = 0;
  channelDelta = 0;
  for (AudioChannelState& a : audio) a = AudioChannelState();
  std::memset(history, 0, sizeof history);
  historyCount = 0;
  lastDistance = 0;
  lastLength = 0;
  std::memset(window, 0, kWindowSize);
  std::memset(previousLengths, 0, sizeof previousLengths);
  unpackPosition = 0;
  writePosition = 0;
  stateValid = true;
}

// A table switch that the encoder placed right after the member's last
// symbol belongs to the member that follows in a solid archive.
void RarUnpacker::LookAheadForNewTables() {
  if (!in.HasBytesLeft(kLookAheadBytes)) return;
  if (multimedia) {
    if (DecodeSymbol(audioTables[channel], in) == kAudioNewTables) ReadCodeTables();
  } else if (DecodeSymbol(literalTable, in) == kNewTables) {
    ReadCodeTables();
  }
}

// [SECTION] Code tables

void RarUnpacker::ReadCodeTables() {
  if (in.Address() > kHeaderRefill) in.Refill(*source);
  uint32_t header = in.Peek16();
  multimedia = (header & kHeaderMultimedia) != 0;
  if (!(header & kHeaderKeepLengths)) std::memset(previousLengths, 0, sizeof previousLengths);
  in.Consume(2);
  uint32_t tableSize = kLzTableSize;
  if (multimedia) {
    channels = ((header >> 12) & 3) + 1;
    if (channel >= channels) channel = 0;
    in.Consume(2);
    tableSize = kAudioSymbols * channels;
  }

  uint8_t codeLengths[kCodeLengthSymbols];
  for (uint8_t& length : codeLengths) length = uint8_t(in.ReadBits(4));
  BuildHuffmanTable(codeLengths, kCodeLengthSymbols, &codeLengthTable);

  // Entries past the table size stay 0, so the next block's deltas start
  // from 0 there.
  uint8_t lengths[kMaxTableSize] = {};
  uint32_t i = 0;
  while (i < tableSize) {
    if (in.Address() > kLengthsRefill) in.Refill(*source);
    uint32_t symbol = DecodeSymbol(codeLengthTable, in);
    if (symbol < kRepeatPrevious) {
      lengths[i] = uint8_t((symbol + previousLengths[i]) & 15);
      ++i;
      continue;
    }
    uint32_t run;
    uint8_t value = 0;
    if (symbol == kRepeatPrevious) {
      run = in.ReadBits(2) + 3;
      value = i > 0 ? lengths[i - 1] : 0;  // a repeat at the start repeats 0
    } else if (symbol == kShortZeroRun) {
      run = in.ReadBits(3) + 3;
    } else {
      run = in.ReadBits(7) + 11;
    }
    for (; run > 0 && i < tableSize; --run) lengths[i++] = value;
  }
  BuildCodeTables(lengths);
  std::memcpy(previousLengths, lengths, sizeof previousLengths);
}

void RarUnpacker::BuildCodeTables(const uint8_t* lengths) {
  if (multimedia) {
    for (uint32_t c = 0; c < channels; ++c)
      BuildHuffmanTable(lengths + c * kAudioSymbols, kAudioSymbols, &audioTables[c]);
    return;
  }
  BuildHuffmanTable(lengths, kLiteralSymbols, &literalTable);
  BuildHuffmanTable(lengths + kLiteralSymbols, kDistanceSymbols, &distanceTable);
  BuildHuffmanTable(lengths + kLiteralSymbols + kDistanceSymbols, kRepeatLengthSymbols,
                    &repeatLengthTable);
}

// [SECTION] Main loop

// Returns true when every byte of the member was produced; false when the
// member stopped early (output full, or bit stream past the packed data).
// Every step consumes at least one bit, so the loop ends with the data.
bool RarUnpacker::DecodeLoop() {
  while (remaining >= 0) {
    unpackPosition &= kWindowMask;
    if (in.Address() > kMainLoopRefill) in.Refill(*source);
    if (in.PastEndOfData()) return false;
    if (!FlushNearlyFullWindow()) return false;
    if (multimedia)
      DecodeAudioSymbol();
    else
      DecodeLzSymbol();
  }
  return true;
}

void RarUnpacker::DecodeAudioSymbol() {
  uint32_t symbol = DecodeSymbol(audioTables[channel], in);
  if (symbol == kAudioNewTables) {
    ReadCodeTables();
    return;
  }
  window[unpackPosition++] = DecodeAudioByte(audio[channel], channelDelta, symbol);
  if (++channel >= channels) channel = 0;
  --remaining;
}

void RarUnpacker::DecodeLzSymbol() {
  uint32_t symbol = DecodeSymbol(literalTable, in);
  if (symbol < 256) {
    window[unpackPosition++] = uint8_t(symbol);
    --remaining;
  } else if (symbol >= kFirstLongMatch) {
    uint32_t slot = symbol - kFirstLongMatch;
    uint32_t length = kLengthBases[slot] + 3 + in.ReadBits(kLengthBits[slot]);
    uint32_t code = DecodeSymbol(distanceTable, in);
    uint32_t distance = kDistanceBases[code] + 1 + in.ReadBits(kDistanceBits[code]);
    if (distance >= kBonusDistance1) length += distance >= kBonusDistance2 ? 2 : 1;
    CopyMatch(length, distance);
  } else if (symbol == kNewTables) {
    ReadCodeTables();
  } else if (symbol == kRepeatLastMatch) {
    CopyMatch(lastLength, lastDistance);
  } else if (symbol < kFirstShortMatch) {
    uint32_t distance = history[(historyCount - (symbol - kRepeatLastMatch)) & 3];
    uint32_t code = DecodeSymbol(repeatLengthTable, in);
    uint32_t length = kLengthBases[code] + 2 + in.ReadBits(kLengthBits[code]);
    if (distance >= kHistoryBonusDistance) length += 1;
    if (distance >= kBonusDistance1) length += distance >= kBonusDistance2 ? 2 : 1;
    CopyMatch(length, distance);
  } else {
    uint32_t slot = symbol - kFirstShortMatch;
    uint32_t distance = kShortDistanceBases[slot] + 1 + in.ReadBits(kShortDistanceBits[slot]);
    CopyMatch(2, distance);
  }
}

// [SECTION] Window and output

// Copies length bytes from distance back, one byte after the other in
// effect, so a distance shorter than the length repeats the pattern.
void RarUnpacker::CopyMatch(uint32_t length, uint32_t distance) {
  history[historyCount++ & 3] = distance;
  lastDistance = distance;
  lastLength = length;
  remaining -= length;
  uint32_t to = unpackPosition;
  uint32_t from = (to - distance) & kWindowMask;
  unpackPosition = (to + length) & kWindowMask;
  if (from + length <= kWindowSize && to + length <= kWindowSize) {
    if (from < to && to - from < length) {
      for (uint32_t i = 0; i < length; ++i) window[to + i] = window[from + i];
    } else {
      std::memmove(window + to, window + from, length);
    }
    return;
  }
  for (uint32_t i = 0; i < length; ++i) window[(to + i) & kWindowMask] = window[(from + i) & kWindowMask];
}

bool RarUnpacker::FlushNearlyFullWindow() {
  if (((writePosition - unpackPosition) & kWindowMask) >= kFlushMargin || writePosition == unpackPosition)
    return true;
  return Flush();
}

// Copies the bytes produced since the last flush to the output (of the
// wanted member only). Returns false when they did not all fit: then the
// output holds as many as fit and the member stops.
bool RarUnpacker::Flush() {
  uint32_t pending = (unpackPosition - writePosition) & kWindowMask;
  bool fits = true;
  if (target.output && pending > 0) {
    uint32_t written = *target.outputSize;
    uint32_t room = target.unpackedSize > written ? target.unpackedSize - written : 0;
    if (pending > room) {
      pending = room;
      fits = false;
    }
    uint32_t first = writePosition & kWindowMask;
    uint32_t head = pending < kWindowSize - first ? pending : kWindowSize - first;
    std::memcpy(target.output + written, window + first, head);
    std::memcpy(target.output + written + head, window, pending - head);
    *target.outputSize = written + pending;
  }
  writePosition = unpackPosition & kWindowMask;
  return fits;
}
