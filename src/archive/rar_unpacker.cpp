// The RAR 2.0 decompressor: member set-up, the block header that carries
// the code tables, the main loop over LZ and multimedia symbols, match
// copies in the 1 MiB window and the flushes of the window to the output.
//
// [SECTION] Member set-up and finish
// [SECTION] Code tables
// [SECTION] Main loop
// [SECTION] Window and output
#include "archive/rar_unpacker.h"

#include <algorithm>
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

// A block header: the mode bits, the code-length code, then the lengths of
// the block's tables coded with it.
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
  ReadLengths(tableSize, lengths);
  BuildCodeTables(lengths);
  std::memcpy(previousLengths, lengths, sizeof previousLengths);
}

// Lengths are deltas (modulo 16) against the previous block's, or runs:
// the preceding length repeated, or zeros. Every item writes at least one
// length and no run passes tableSize.
void RarUnpacker::ReadLengths(uint32_t tableSize, uint8_t* lengths) {
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
// The checks of a step's start (refill, end of data, flush) run once per
// batch of steps that provably need none of them.
bool RarUnpacker::DecodeLoop() {
  while (remaining >= 0) {
    unpackPosition &= kWindowMask;
    if (in.Address() > kMainLoopRefill) in.Refill(*source);
    if (in.PastEndOfData()) return false;
    if (!FlushNearlyFullWindow()) return false;
    if (multimedia)
      DecodeAudioSteps(SafeSteps());
    else
      DecodeLzSteps(SafeSteps());
  }
  return true;
}

// Steps from here on whose starts all stand before the refill point,
// within the data and short of a full window, counting the most a step can
// read (51 bits: length and distance codes with their extra bits) and
// write (a 260-byte match). At least 1, as the checks just passed.
uint32_t RarUnpacker::SafeSteps() const {
  const uint32_t maxStepBits = 51;
  uint32_t position = in.cursor.position;
  uint32_t beforeRefill = ((kMainLoopRefill + 1) * 8 - 1 - position) / maxStepBits;
  uint32_t withinData = (in.DataEndBits() - position) / maxStepBits;
  uint32_t pending = (unpackPosition - writePosition) & kWindowMask;
  uint32_t beforeFlush = (kWindowSize - kFlushMargin - pending) / kMaxStepBytes;
  return std::min({beforeRefill, withinData, beforeFlush}) + 1;
}

// Decodes up to steps multimedia bytes; a table switch ends the batch.
void RarUnpacker::DecodeAudioSteps(uint32_t steps) {
  Rar20BitCursor bits = in.cursor;
  uint32_t position = unpackPosition;
  int64_t left = remaining;
  uint32_t current = channel;
  int delta = channelDelta;
  bool newTables = false;
  for (; steps > 0 && left >= 0; --steps) {
    position &= kWindowMask;
    uint32_t symbol = DecodeSymbol(audioTables[current], bits);
    if (symbol == kAudioNewTables) {
      newTables = true;
      break;
    }
    window[position++] = DecodeAudioByte(audio[current], delta, symbol);
    if (++current >= channels) current = 0;
    --left;
  }
  in.cursor = bits;
  unpackPosition = position;
  remaining = left;
  channel = current;
  channelDelta = delta;
  if (newTables) ReadCodeTables();
}

// Decodes up to steps LZ steps; a table switch ends the batch.
void RarUnpacker::DecodeLzSteps(uint32_t steps) {
  Rar20BitCursor bits = in.cursor;
  uint32_t position = unpackPosition;
  int64_t left = remaining;
  bool newTables = false;
  for (; steps > 0 && left >= 0; --steps) {
    position &= kWindowMask;
    uint32_t symbol = DecodeSymbol(literalTable, bits);
    if (symbol < 256) {
      window[position++] = uint8_t(symbol);
      --left;
      continue;
    }
    uint32_t length, distance;
    if (symbol >= kFirstLongMatch) {
      uint32_t slot = symbol - kFirstLongMatch;
      length = kLengthBases[slot] + 3 + bits.ReadBits(kLengthBits[slot]);
      uint32_t code = DecodeSymbol(distanceTable, bits);
      distance = kDistanceBases[code] + 1 + bits.ReadBits(kDistanceBits[code]);
      if (distance >= kBonusDistance1) length += distance >= kBonusDistance2 ? 2 : 1;
    } else if (symbol == kNewTables) {
      newTables = true;
      break;
    } else if (symbol == kRepeatLastMatch) {
      length = lastLength;
      distance = lastDistance;
    } else if (symbol < kFirstShortMatch) {
      distance = history[(historyCount - (symbol - kRepeatLastMatch)) & 3];
      uint32_t code = DecodeSymbol(repeatLengthTable, bits);
      length = kLengthBases[code] + 2 + bits.ReadBits(kLengthBits[code]);
      if (distance >= kHistoryBonusDistance) length += 1;
      if (distance >= kBonusDistance1) length += distance >= kBonusDistance2 ? 2 : 1;
    } else {
      uint32_t slot = symbol - kFirstShortMatch;
      distance = kShortDistanceBases[slot] + 1 + bits.ReadBits(kShortDistanceBits[slot]);
      length = 2;
    }
    left -= length;
    position = CopyMatch(position, length, distance);
  }
  in.cursor = bits;
  unpackPosition = position;
  remaining = left;
  if (newTables) ReadCodeTables();
}

// [SECTION] Window and output

// Copies length bytes from distance back to the window at to and returns
// the position after them, recording the match in the history. The bytes
// move one after the other in effect, so a distance shorter than the length
// repeats the pattern. Away from the window's end they move 8 at a time
// whenever each group is read before it is overwritten (source at least 8
// bytes behind, or ahead); the copy never writes past the match, whose
// following bytes a match from almost 1 MiB back may still read.
uint32_t RarUnpacker::CopyMatch(uint32_t to, uint32_t length, uint32_t distance) {
  history[historyCount++ & 3] = distance;
  lastDistance = distance;
  lastLength = length;
  uint32_t from = (to - distance) & kWindowMask;
  if (from + length > kWindowSize || to + length > kWindowSize) {
    for (uint32_t i = 0; i < length; ++i) window[(to + i) & kWindowMask] = window[(from + i) & kWindowMask];
    return (to + length) & kWindowMask;
  }
  uint8_t* out = window + to;
  const uint8_t* in = window + from;
  uint32_t i = 0;
  if (from > to || to - from >= 8) {
    for (; i + 8 <= length; i += 8) {
      uint64_t group;
      std::memcpy(&group, in + i, 8);
      std::memcpy(out + i, &group, 8);
    }
  }
  for (; i < length; ++i) out[i] = in[i];
  return (to + length) & kWindowMask;
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
