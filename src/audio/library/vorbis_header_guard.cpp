// CheckVorbisHeaders: a byte reader over the Ogg packets that may span
// pages, checking every page header and segment table against the data, a
// bit reader over it, and the walks through the comment header and the
// codebooks.
#include "audio/library/vorbis_header_guard.h"

#include <cmath>
#include <cstring>

#include "archive/byte_cursor.h"

namespace {

constexpr uint32_t kPageHeaderBytes = 27;    // up to and including the segment count
constexpr uint32_t kSecondPageOffset = 58;   // 27 + one segment entry + the 30-byte first packet
constexpr uint8_t kCommentPacketType = 3;
constexpr uint8_t kSetupPacketType = 5;
constexpr uint32_t kCodebookSync = 0x564342;  // "BCV", read as 24 bits

// stb_vorbis rounds every allocation up to a multiple of 8 bytes.
uint64_t Allocation(uint64_t bytes) { return (bytes + 7) & ~uint64_t(7); }

// Reads the bytes of one packet, segment by segment, across pages.
class PacketReader {
 public:
  PacketReader(const uint8_t* data, uint32_t size) : data(data), size(size) {}

  bool StartAt(uint32_t offset) { return StartPage(offset); }

  bool ReadByte(uint8_t* out) {
    while (segmentLeft == 0)
      if (!NextSegment()) return false;
    *out = data[position++];
    --segmentLeft;
    return true;
  }

  bool ReadU32(uint32_t* out) {
    uint8_t b[4];
    for (uint8_t& byte : b)
      if (!ReadByte(&byte)) return false;
    *out = LoadLe32(b);
    return true;
  }

  bool Skip(uint32_t count) {
    uint8_t ignored;
    for (uint32_t i = 0; i < count; ++i)
      if (!ReadByte(&ignored)) return false;
    return true;
  }

  // Passes the rest of the current packet; the next read starts the packet
  // that follows it, in the same page or the next one.
  void NextPacket() {
    uint8_t ignored;
    while (ReadByte(&ignored)) {
    }
    packetEnded = false;
  }

 private:
  // Parses the page header at offset; its segment table and body must lie
  // inside the data.
  bool StartPage(uint32_t offset) {
    ByteCursor page{data, size, offset};
    uint8_t header[kPageHeaderBytes];
    if (!page.Take(header, sizeof header) || std::memcmp(header, "OggS", 4) != 0) return false;
    segmentCount = header[kPageHeaderBytes - 1];
    segmentTable = uint32_t(page.pos);
    if (!page.Skip(segmentCount)) return false;
    uint32_t body = 0;
    for (uint32_t i = 0; i < segmentCount; ++i) body += data[segmentTable + i];
    position = uint32_t(page.pos);
    if (!page.Skip(body)) return false;
    pageEnd = uint32_t(page.pos);
    segmentIndex = 0;
    segmentLeft = 0;
    return true;
  }

  // Moves to the packet's next segment: false when the packet has ended
  // (its last segment was shorter than 255) or the data has.
  bool NextSegment() {
    if (packetEnded) return false;
    if (segmentIndex == segmentCount && !StartPage(pageEnd)) return false;
    if (segmentIndex == segmentCount) return false;  // a page without segments
    segmentLeft = data[segmentTable + segmentIndex++];
    packetEnded = segmentLeft < 255;
    return segmentLeft > 0 || !packetEnded;
  }

  const uint8_t* data;
  uint32_t size;
  uint32_t segmentTable = 0;  // offset of the current page's segment table
  uint32_t segmentCount = 0;
  uint32_t segmentIndex = 0;  // next segment to enter
  uint32_t segmentLeft = 0;   // bytes left in the current segment
  uint32_t position = 0;      // offset of the next byte
  uint32_t pageEnd = 0;       // offset of the next page
  bool packetEnded = false;
};

// Reads bits of one packet, least significant first, as Vorbis packs them.
class BitReader {
 public:
  explicit BitReader(PacketReader* packet) : packet(packet) {}

  // Up to 32 bits; false once the packet has ended.
  bool Read(int count, uint32_t* out) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      if (bitsLeft == 0) {
        if (!packet->ReadByte(&byte)) return false;
        bitsLeft = 8;
      }
      value |= uint32_t(byte & 1) << i;
      byte >>= 1;
      --bitsLeft;
    }
    *out = value;
    return true;
  }

 private:
  PacketReader* packet;
  uint8_t byte = 0;
  int bitsLeft = 0;
};

// Bits needed to write x (0 for 0).
int ILog(uint32_t x) {
  int bits = 0;
  for (; x; x >>= 1) ++bits;
  return bits;
}

// stb_vorbis's count of lookup-type-1 values, with its float arithmetic
// exactly, so that the walk stays in step with it; -1 where stb_vorbis
// fails or where its int conversions would overflow.
int Lookup1Values(int entries, int dimensions) {
  float root = float(std::log(double(float(entries)))) / float(dimensions);
  int r = int(std::floor(std::exp(double(root))));
  double upper = std::floor(std::pow(double(float(r) + 1), double(dimensions)));
  if (upper >= 2147483648.0) return -1;
  if (int(upper) <= entries) ++r;
  if (std::pow(double(float(r) + 1), double(dimensions)) <= entries) return -1;
  double lower = std::floor(std::pow(double(float(r)), double(dimensions)));
  if (lower >= 2147483648.0 || int(lower) > entries) return -1;
  return r;
}

// The codeword lengths of a codebook, as stb_vorbis reads them.
bool SkipCodewordLengths(BitReader* bits, uint32_t entries) {
  uint32_t ordered = 0, sparse = 0, value = 0;
  if (!bits->Read(1, &ordered)) return false;
  if (ordered) {
    uint32_t length = 0, entry = 0;
    if (!bits->Read(5, &length)) return false;
    for (++length; entry < entries; ++length) {
      if (!bits->Read(ILog(entries - entry), &value) || length >= 32 || value > entries - entry) return false;
      entry += value;
    }
    return true;
  }
  if (!bits->Read(1, &sparse)) return false;
  for (uint32_t i = 0; i < entries; ++i) {
    uint32_t present = 1;
    if (sparse && !bits->Read(1, &present)) return false;
    if (present && (!bits->Read(5, &value) || value + 1 == 32)) return false;
  }
  return true;
}

// The value lookup of a codebook: type 0, or types 1 and 2 with their
// multiplicands.
bool SkipLookup(BitReader* bits, uint32_t entries, uint32_t dimensions) {
  uint32_t type = 0, ignored = 0, valueBits = 0, sequence = 0;
  if (!bits->Read(4, &type) || type > 2) return false;
  if (type == 0) return true;
  if (!bits->Read(32, &ignored) || !bits->Read(32, &ignored) || !bits->Read(4, &valueBits) ||
      !bits->Read(1, &sequence))
    return false;
  int values = type == 1 ? Lookup1Values(int(entries), int(dimensions)) : int(entries * dimensions);
  if (values <= 0) return false;
  for (int i = 0; i < values; ++i)
    if (!bits->Read(int(valueBits) + 1, &ignored)) return false;
  return true;
}

bool CodebooksFit(BitReader* bits) {
  uint32_t count = 0;
  if (!bits->Read(8, &count)) return false;
  for (uint32_t book = 0; book <= count; ++book) {
    uint32_t sync = 0, dimensions = 0, entries = 0;
    if (!bits->Read(24, &sync) || sync != kCodebookSync || !bits->Read(16, &dimensions) ||
        !bits->Read(24, &entries))
      return false;
    if (dimensions == 0 || uint64_t(entries) * dimensions > kMaxCodebookValues) return false;
    if (!SkipCodewordLengths(bits, entries) || !SkipLookup(bits, entries, dimensions)) return false;
  }
  return true;
}

// The comment packet; *needed is what stb_vorbis will allocate for it.
bool MeasureComments(PacketReader* packet, uint64_t* needed) {
  uint8_t type = 0;
  if (!packet->ReadByte(&type) || type != kCommentPacketType || !packet->Skip(6)) return false;
  uint32_t vendorLength = 0, count = 0;
  if (!packet->ReadU32(&vendorLength) || !packet->Skip(vendorLength)) return false;
  if (!packet->ReadU32(&count)) return false;
  // The vendor string, the list of comment pointers, then each comment,
  // every one with its terminating zero.
  *needed = Allocation(uint64_t(vendorLength) + 1) + Allocation(uint64_t(count) * sizeof(void*));
  for (uint32_t i = 0; i < count && *needed <= kMaxVorbisCommentBytes; ++i) {
    uint32_t length = 0;
    if (!packet->ReadU32(&length) || !packet->Skip(length)) return false;
    *needed += Allocation(uint64_t(length) + 1);
  }
  uint8_t framing = 0;
  return *needed <= kMaxVorbisCommentBytes && packet->ReadByte(&framing);
}

}  // namespace

bool CheckVorbisHeaders(const uint8_t* data, uint32_t size, uint32_t* commentWorkspaceBytes) {
  *commentWorkspaceBytes = 0;
  if (!data || size < kSecondPageOffset || data[26] != 1 || data[27] != 30) return false;
  PacketReader packet(data, size);
  uint64_t commentBytes = 0;
  if (!packet.StartAt(kSecondPageOffset) || !MeasureComments(&packet, &commentBytes)) return false;
  packet.NextPacket();
  uint8_t type = 0;
  if (!packet.ReadByte(&type) || type != kSetupPacketType || !packet.Skip(6)) return false;
  BitReader bits(&packet);
  if (!CodebooksFit(&bits)) return false;
  *commentWorkspaceBytes = uint32_t(commentBytes);
  return true;
}
