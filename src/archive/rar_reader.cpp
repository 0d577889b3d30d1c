// RarReader: the block walk over a RAR 1.5-2.x archive in memory, stored
// extraction, the hand-over of packed members to RarUnpacker and the CRC
// check. Every read goes through MemoryArchive::Read, a ByteCursor take that
// checks the remaining length before it copies.
#include "archive/rar_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "archive/byte_cursor.h"
#include "archive/rar20_format.h"

RarReader rarReader;

namespace {

// The 32-byte file-header layout, field by field.
RarBlockHeader DecodeBlockHeader(const uint8_t (&b)[rar::kFixedHeaderSize]) {
  ByteCursor in{b, sizeof b, 0};
  RarBlockHeader h;
  // The fields fill the 32 bytes exactly, so every read succeeds.
  in.ReadU16(&h.headerCrc);
  in.ReadU8(&h.type);
  in.ReadU16(&h.flags);
  in.ReadU16(&h.headerSize);
  in.ReadU32(&h.packSize);
  in.ReadU32(&h.unpackedSize);
  in.ReadU8(&h.hostSystem);
  in.ReadU32(&h.fileCrc);
  in.ReadU32(&h.fileTime);
  in.ReadU8(&h.unpackVersion);
  in.ReadU8(&h.method);
  in.ReadU16(&h.nameSize);
  in.ReadU32(&h.attributes);
  return h;
}

// An archive position computed in 64 bits; one beyond 4 GiB becomes the
// largest offset, where every read fails.
uint32_t ClampOffset(uint64_t position) {
  return position > UINT32_MAX ? UINT32_MAX : uint32_t(position);
}

// Feeds the unpacker the current member's packed bytes, never more than its
// remaining pack size, through the all-or-nothing read.
class ArchivePackedInput : public PackedInput {
 public:
  ArchivePackedInput(MemoryArchive& archive, uint32_t& remaining)
      : archive(archive), remaining(remaining) {}
  uint32_t ReadPacked(uint8_t* destination, uint32_t count) override {
    uint32_t got = archive.Read(destination, std::min(count, remaining));
    remaining -= got;
    return got;
  }

 private:
  MemoryArchive& archive;
  uint32_t& remaining;
};

char NormalisedNameChar(char c) {
  if (c == '\\' || c == '/') return '_';
  if (c >= 'a' && c <= 'z') return char(c - 'a' + 'A');
  return c;
}

}  // namespace

uint32_t MemoryArchive::Read(void* destination, uint32_t count) {
  ByteCursor in{data, size, offset};
  if (count == 0 || !in.Take(destination, count)) return 0;
  offset = uint32_t(in.pos);
  return count;
}

bool NameMatches(const char* a, const char* b) {
  const size_t kCompared = 511;  // both names are compared as cut to 512-byte buffers
  for (size_t i = 0; i < kCompared; ++i) {
    if (NormalisedNameChar(a[i]) != NormalisedNameChar(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}

bool RarReader::Fail(const char* why) {
  failure = why;
  return false;
}

bool RarReader::ExtractMember(uint8_t** outputBuffer, uint32_t* outputSize, const char* name,
                              MemoryArchive& archive) {
  *outputBuffer = nullptr;
  *outputSize = 0;
  crc.Build();
  output = nullptr;
  failure = nullptr;
  if (!name) return Fail("no member name");
  if (std::strlen(name) > rar::kMaxNameLength) return Fail("name longer than 259 characters");
  std::snprintf(requestedName, sizeof requestedName, "%s", name);
  if (!ReadArchiveStart(archive)) return false;
  window = new (std::nothrow) uint8_t[rar::kWindowSize];
  if (!window) return Fail("window allocation failed");
  unpacker.Reset();  // a solid chain never continues from another call

  bool found = WalkToMember(archive);
  delete[] window;
  window = nullptr;
  if (!found) {
    delete[] output;
    output = nullptr;
    return false;
  }
  *outputBuffer = output;
  *outputSize = written;
  output = nullptr;
  return true;
}

bool RarReader::ReadArchiveStart(MemoryArchive& archive) {
  failure = nullptr;
  archive.offset = 0;
  uint8_t marker[rar::kMarkerSize];
  if (!archive.Read(marker, sizeof marker)) return Fail("archive too short for the marker");
  if (std::memcmp(marker, rar::kMarker, sizeof marker) != 0) return Fail("no RAR 2.x marker");
  uint8_t b[rar::kMainHeaderSize];
  if (!archive.Read(b, sizeof b)) return Fail("main header unreadable");
  ByteCursor in{b, sizeof b, 0};  // 7 of the 13 bytes; the reserved fields follow
  in.ReadU16(&mainHeader.headerCrc);
  in.ReadU8(&mainHeader.type);
  in.ReadU16(&mainHeader.flags);
  in.ReadU16(&mainHeader.headerSize);
  solid = (mainHeader.flags & rar::kArchiveSolid) != 0;
  archive.offset = rar::kMarkerSize + mainHeader.headerSize;
  return true;
}

bool RarReader::FindNextFileHeader(MemoryArchive& archive) {
  RarBlockHeader h;
  for (;;) {
    blockStart = archive.offset;
    uint8_t b[rar::kFixedHeaderSize];
    if (!archive.Read(b, sizeof b)) return Fail("no further block header");
    h = DecodeBlockHeader(b);
    if (h.headerSize < rar::kMinHeaderSize) return Fail("header size below 7");
    // At least 7 bytes further on, so the walk always advances; a pack size
    // that would wrap a 32-bit sum lands past the end instead.
    uint64_t next = uint64_t(blockStart) + h.headerSize + ((h.flags & rar::kLongBlock) ? h.packSize : 0);
    nextBlock = ClampOffset(next);
    if (h.type == rar::kFileBlock) break;
    if (h.type == rar::kSubBlock) {
      archive.offset = blockStart;
      return Fail("sub-block met");
    }
    archive.offset = nextBlock;
  }
  fileHeader = h;
  nameCut = h.nameSize > rar::kMaxNameLength;
  uint32_t nameLength = std::min<uint32_t>(h.nameSize, rar::kMaxNameLength);
  if (nameLength > 0 && !archive.Read(memberName, nameLength)) return Fail("name runs past the end");
  memberName[nameLength] = '\0';
  return true;
}

bool RarReader::WalkToMember(MemoryArchive& archive) {
  for (;;) {
    if (!FindNextFileHeader(archive)) return false;
    // A cut name stands for a longer one that no request (at most 259
    // characters) can spell, so it never matches.
    bool wanted = !nameCut && NameMatches(requestedName, memberName);
    if (wanted && !AllocateOutput(archive)) return false;
    if ((wanted || solid) && !ProcessMember(archive, wanted)) return false;
    archive.offset = nextBlock;
    if (wanted) return true;
  }
}

// The most bytes the current member's packed data, as far as the archive
// holds it, can unpack to: a stored member copies its bytes, a packed one
// writes at most rar20::kMaxUnpackedPerPackedByte per byte read.
uint64_t RarReader::MostUnpackedBytes(const MemoryArchive& archive) const {
  uint64_t dataStart = uint64_t(blockStart) + fileHeader.headerSize;
  uint64_t present = dataStart < archive.size ? archive.size - dataStart : 0;
  present = std::min<uint64_t>(present, fileHeader.packSize);
  if (fileHeader.method == rar::kMethodStored) return present;
  return present * rar20::kMaxUnpackedPerPackedByte;
}

bool RarReader::AllocateOutput(const MemoryArchive& archive) {
  // Without a password the bytes could only fail their CRC check.
  if (fileHeader.flags & rar::kFileEncrypted) return Fail("member encrypted");
  if (fileHeader.unpackedSize > rar::kMaxMemberSize) return Fail("member larger than the size limit");
  // A size the data cannot produce is damage; refusing it here keeps a small
  // hostile archive from asking for a large buffer.
  if (fileHeader.unpackedSize > MostUnpackedBytes(archive)) return Fail("member larger than its packed data");
  output = new (std::nothrow) uint8_t[fileHeader.unpackedSize];
  if (!output) return Fail("output allocation failed");
  return true;
}

// Copies or unpacks the current member: into the output when it is the
// wanted one, otherwise (solid archives only) through the unpacker alone so
// that its state reaches the wanted member.
bool RarReader::ProcessMember(MemoryArchive& archive, bool wanted) {
  if (fileHeader.unpackVersion < rar::kMinUnpackVersion ||
      fileHeader.unpackVersion > rar::kMaxUnpackVersion)
    return Fail("unpack version outside 13..20");
  written = 0;
  remainingPack = fileHeader.packSize;
  archive.offset = ClampOffset(uint64_t(blockStart) + fileHeader.headerSize);
  if (fileHeader.method == rar::kMethodStored) {
    if (wanted) ExtractStored(archive);
  } else {
    ArchivePackedInput input(archive, remainingPack);
    UnpackTarget target{wanted ? output : nullptr, &written, fileHeader.unpackedSize,
                        (fileHeader.flags & rar::kFileSolid) != 0};
    unpacker.Unpack(input, window, target);
  }
  return !wanted || VerifyOutput();
}

// Stored data is copied straight from the archive, at most the pack size;
// data cut short by the end of the archive yields nothing.
void RarReader::ExtractStored(MemoryArchive& archive) {
  uint32_t count = std::min(fileHeader.unpackedSize, remainingPack);
  written = archive.Read(output, count);
  remainingPack -= written;
}

// A member is intact when every one of its bytes was written and their
// CRC-32 equals the stored one; the CRC never runs over unwritten bytes.
bool RarReader::VerifyOutput() {
  if (written != fileHeader.unpackedSize) return Fail("member data incomplete");
  if (crc.Checksum(output, written) != fileHeader.fileCrc) return Fail("CRC mismatch");
  return true;
}
