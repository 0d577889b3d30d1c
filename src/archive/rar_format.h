// The RAR 1.5-2.x block format as the reader and the archive tool use it:
// the marker, block types, flag bits, header sizes and the limits that keep
// a hostile header from steering an allocation or a loop.
#pragma once

#include <cstdint>

namespace rar {

// Every RAR 1.5-2.x archive starts with these 7 bytes ("Rar!" 0x1A 0x07 0x00).
constexpr uint8_t kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr uint32_t kMarkerSize = 7;       // bytes
constexpr uint32_t kMainHeaderSize = 13;  // bytes of the main header as read
constexpr uint32_t kFixedHeaderSize = 32; // bytes of a file header before its name
constexpr uint16_t kMinHeaderSize = 7;    // CRC, type, flags and size fields

// Block types.
constexpr uint8_t kMainBlock = 0x73;
constexpr uint8_t kFileBlock = 0x74;
constexpr uint8_t kSubBlock = 0x77;

// Main header flags.
constexpr uint16_t kArchiveSolid = 0x08;

// Block and file header flags.
constexpr uint16_t kLongBlock = 0x8000;     // a data area of pack size bytes follows the header
constexpr uint16_t kFileEncrypted = 0x04;
constexpr uint16_t kFileSolid = 0x10;       // continues the unpacker state of the previous member
constexpr uint16_t kDirectoryMask = 0xE0;   // all three dictionary bits set: a directory entry
constexpr uint16_t kFileUnicodeName = 0x200; // the name holds a UTF-16 form after a zero byte, or is UTF-8

constexpr uint8_t kMethodStored = 0x30;     // 0x31..0x35: packed, fastest..best
constexpr uint8_t kMinUnpackVersion = 13;   // RAR 1.3 / 1.5
constexpr uint8_t kMaxUnpackVersion = 20;   // RAR 2.0
constexpr uint8_t kHostWin32 = 2;
constexpr uint8_t kHostUnix = 3;

constexpr uint32_t kWindowSize = 0x100000;  // bytes: the RAR 2.0 sliding window, 1 MiB

// Longest member name kept, in characters (longer names are cut).
constexpr uint32_t kMaxNameLength = 259;

// Largest unpacked member the reader allocates, in bytes. The biggest file
// the saver carries is its music track of a few MiB, and every member has to
// fit inside the one executable resource with the rest of the data, so 256 MiB
// leaves ample room while a hostile size field cannot ask for gigabytes.
constexpr uint32_t kMaxMemberSize = 256u << 20;

}  // namespace rar
