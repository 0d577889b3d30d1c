// The constants of the RAR 2.0 compression method, shared by the unpacker
// and the archive tool's packer: the window, the alphabet sizes of the five
// kinds of Huffman table, the special symbols of the LZ and multimedia
// alphabets, the bits of a block header and the base/extra-bit tables that
// turn symbols into match lengths and distances.
#pragma once

#include <cstdint>

#include "archive/rar_format.h"

namespace rar20 {

constexpr uint32_t kWindowSize = rar::kWindowSize;  // bytes: the sliding window, 1 MiB
constexpr uint32_t kWindowMask = kWindowSize - 1;

// The most bytes one decoding step writes: the longest match. Every step
// reads at least one bit, so a member's packed bytes unpack to at most
// 8 x 260 times as many bytes.
constexpr uint32_t kMaxStepBytes = 260;
constexpr uint32_t kMaxUnpackedPerPackedByte = 8 * kMaxStepBytes;

// Alphabet sizes, in symbols.
constexpr uint32_t kLiteralSymbols = 298;       // 256 literals + 42 match/control symbols
constexpr uint32_t kDistanceSymbols = 48;
constexpr uint32_t kRepeatLengthSymbols = 28;
constexpr uint32_t kCodeLengthSymbols = 19;     // codes of the table header itself
constexpr uint32_t kAudioSymbols = 257;         // 256 deltas + the table switch
constexpr uint32_t kMaxChannels = 4;            // multimedia channels
constexpr uint32_t kLzTableSize = kLiteralSymbols + kDistanceSymbols + kRepeatLengthSymbols;  // 374
constexpr uint32_t kMaxTableSize = kAudioSymbols * kMaxChannels;                           // 1028
constexpr uint32_t kMaxSymbols = kLiteralSymbols;  // the largest alphabet

// Symbols of the literal/length alphabet above the 256 literals.
constexpr uint32_t kRepeatLastMatch = 256;   // the previous match again
constexpr uint32_t kFirstHistoryMatch = 257; // 257..260: distance history entries 1..4 back
constexpr uint32_t kFirstShortMatch = 261;   // 261..268: length 2, distance 1..256
constexpr uint32_t kNewTables = 269;         // a block header follows
constexpr uint32_t kFirstLongMatch = 270;    // 270..297: length symbol of a match with distance
// The table switch of the multimedia alphabets.
constexpr uint32_t kAudioNewTables = 256;

// Symbols of the code-length alphabet above the 16 length deltas.
constexpr uint32_t kRepeatPrevious = 16;     // previous length 3..6 times (2 extra bits)
constexpr uint32_t kShortZeroRun = 17;       // 3..10 zero lengths (3 extra bits)
constexpr uint32_t kLongZeroRun = 18;        // 11..138 zero lengths (7 extra bits)

// The first two bits of a block header (as the top of a 16-bit peek).
constexpr uint32_t kHeaderMultimedia = 0x8000;   // the block is in multimedia mode
constexpr uint32_t kHeaderKeepLengths = 0x4000;  // lengths are deltas against the previous block's

// Length bonuses of far matches: the distances from which a match is one
// byte longer than its coded length (for history matches also from 0x101).
constexpr uint32_t kBonusDistance1 = 0x2000;
constexpr uint32_t kBonusDistance2 = 0x40000;
constexpr uint32_t kHistoryBonusDistance = 0x101;

constexpr uint32_t kMaxCodeLength = 15;  // bits

inline constexpr uint8_t kLengthBases[28] = {0,  1,  2,  3,  4,  5,  6,   7,   8,   10,  12,  14,  16,  20,
                                             24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224};
inline constexpr uint8_t kLengthBits[28] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2,
                                            2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};
inline constexpr uint32_t kDistanceBases[48] = {
    0,      1,      2,      3,      4,      6,      8,      12,     16,     24,     32,     48,
    64,     96,     128,    192,    256,    384,    512,    768,    1024,   1536,   2048,   3072,
    4096,   6144,   8192,   12288,  16384,  24576,  32768,  49152,  65536,  98304,  131072, 196608,
    262144, 327680, 393216, 458752, 524288, 589824, 655360, 720896, 786432, 851968, 917504, 983040};
inline constexpr uint8_t kDistanceBits[48] = {0,  0,  0,  0,  1,  1,  2,  2,  3,  3,  4,  4,  5,  5,  6,  6,
                                              7,  7,  8,  8,  9,  9,  10, 10, 11, 11, 12, 12, 13, 13, 14, 14,
                                              15, 15, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16};
inline constexpr uint8_t kShortDistanceBases[8] = {0, 4, 8, 16, 32, 64, 128, 192};
inline constexpr uint8_t kShortDistanceBits[8] = {2, 2, 3, 4, 5, 6, 6, 6};

}  // namespace rar20
