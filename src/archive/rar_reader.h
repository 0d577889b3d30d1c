// RarReader: finds one member of a RAR 1.5-2.x archive that lies wholly in
// memory and extracts it into a new heap buffer. It walks the block headers
// from the start on every call, compares names with NameMatches, copies
// stored members, hands packed ones to RarUnpacker and accepts the result
// only when every byte arrived and the CRC-32 matches. Bad input of any kind
// yields false, a null buffer and size 0, with the reason in `failure`.
// The reader context is process-wide (`rarReader`) and not re-entrant.
#pragma once

#include <cstdint>

#include "archive/crc32.h"
#include "archive/rar_format.h"
#include "archive/rar_unpacker.h"

// The read cursor over an archive in memory.
struct MemoryArchive {
  const uint8_t* data = nullptr;
  uint32_t size = 0;    // bytes at data
  uint32_t offset = 0;  // read position; a damaged header may set it past size

  // All or nothing: when count is 0 or fewer than count bytes remain, reads
  // nothing, leaves the offset and returns 0; otherwise copies count bytes
  // from data + offset, advances the offset and returns count.
  uint32_t Read(void* destination, uint32_t count);
};

// The main header, read as 13 bytes right after the marker (the two
// reserved fields are skipped).
struct RarMainHeader {
  uint16_t headerCrc = 0;  // not verified
  uint8_t type = 0;        // 0x73, not checked
  uint16_t flags = 0;      // rar::kArchiveSolid
  uint16_t headerSize = 0; // the first block starts at marker + headerSize
};

// A block after the main header, read through the 32-byte file-header layout
// whatever its type; fields past the header size of short blocks are junk.
struct RarBlockHeader {
  uint16_t headerCrc = 0;     // not verified
  uint8_t type = 0;           // rar::kFileBlock, rar::kSubBlock, others skipped
  uint16_t flags = 0;         // rar::kLongBlock, kFileEncrypted, kFileSolid, kDirectoryMask
  uint16_t headerSize = 0;    // bytes, at least 7; the data area starts here
  uint32_t packSize = 0;      // bytes of data area (when rar::kLongBlock is set)
  uint32_t unpackedSize = 0;  // bytes of the extracted member
  uint8_t hostSystem = 0;     // 0 MS-DOS, 1 OS/2, 2 Win32, 3 Unix
  uint32_t fileCrc = 0;       // CRC-32 of the unpacked bytes
  uint32_t fileTime = 0;      // MS-DOS date and time
  uint8_t unpackVersion = 0;  // 13..20 accepted
  uint8_t method = 0;         // 0x30 stored, 0x31..0x35 packed
  uint16_t nameSize = 0;      // bytes of name after the fixed part
  uint32_t attributes = 0;    // host file attributes
};

// Separators backslash, slash and underscore are interchangeable and ASCII
// letters compare without regard to case; names are compared on their first
// 511 characters.
bool NameMatches(const char* a, const char* b);

class RarReader {
 public:
  // Extracts the first member whose name matches name (at most 259
  // characters; a member whose stored name is longer is never matched, as
  // its name cannot be told apart from others cut the same way). Returns true with *output a
  // new[] buffer of the unpacked size (owned by the caller) and *outputSize
  // its byte count; false with *output null and *outputSize 0 otherwise. The
  // archive's offset is left wherever the walk ended.
  bool ExtractMember(uint8_t** output, uint32_t* outputSize, const char* name,
                     MemoryArchive& archive);

  // The first steps of ExtractMember, for tools that list an archive.
  // Reads marker and main header and leaves the offset on the first block.
  bool ReadArchiveStart(MemoryArchive& archive);
  // Finds the next file header from the offset on, skipping other block
  // types. On success fileHeader and memberName describe it, blockStart and
  // nextBlock are set, and the caller continues by setting the offset to
  // nextBlock. Returns false at the end of the chain, at a sub-block (the
  // offset then stands on it) or on a damaged header.
  bool FindNextFileHeader(MemoryArchive& archive);

  // Why the last call failed, e.g. "header size below 7"; null after success.
  const char* failure = nullptr;

  // Reader context, re-initialised by every ExtractMember call.
  char requestedName[rar::kMaxNameLength + 1] = {};
  char memberName[rar::kMaxNameLength + 1] = {};  // cut to 259 characters
  bool nameCut = false;        // the stored name was longer than 259 characters
  RarMainHeader mainHeader;
  RarBlockHeader fileHeader;   // the last file header found
  uint32_t blockStart = 0;     // archive offset of the current block
  uint32_t nextBlock = 0;      // archive offset of the block after it
  bool solid = false;          // main header flag: members share unpacker state
  uint8_t* window = nullptr;   // rar::kWindowSize bytes during ExtractMember
  uint8_t* output = nullptr;   // buffer of the wanted member
  uint32_t written = 0;        // bytes of the current member written to output
  uint32_t remainingPack = 0;  // packed bytes of the current member not yet read
  Crc32Table crc;
  RarUnpacker unpacker;

 private:
  bool WalkToMember(MemoryArchive& archive);
  uint64_t MostUnpackedBytes(const MemoryArchive& archive) const;
  bool AllocateOutput(const MemoryArchive& archive);
  bool ProcessMember(MemoryArchive& archive, bool wanted);
  void ExtractStored(MemoryArchive& archive);
  bool VerifyOutput();
  bool Fail(const char* why);
};

// The one reader of the process, used by ArchiveFile::OpenMember.
extern RarReader rarReader;
