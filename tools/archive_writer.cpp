// RAR 2.x archive writer: headers with their CRCs, fixed times and
// attributes so that the same tree always gives the same bytes, and the
// table of member packers.
#include "archive_writer.h"

#include "archive/crc32.h"
#include "archive/rar_format.h"

namespace {

// Every member carries 2000-01-01 00:00:00 as its MS-DOS time stamp: the
// archive depends only on names and contents, so builds are reproducible.
constexpr uint32_t kFixedDosTime = ((2000 - 1980) << 9 | 1 << 5 | 1) << 16;
constexpr uint32_t kFileAttributes = 0x20;       // Windows "archive"
constexpr uint32_t kDirectoryAttributes = 0x10;  // Windows "directory"

class StoredPacker : public MemberPacker {
 public:
  bool Pack(const std::vector<uint8_t>& content, PackedMember* out, std::string*) override {
    *out = PackedMember{};
    out->bytes = content;
    return true;
  }
};

// --method names and their packers. A packer for the RAR 2.0 method joins here.
const struct {
  const char* name;
  std::unique_ptr<MemberPacker> (*make)();
} kPackers[] = {
    {"stored", [] { return std::unique_ptr<MemberPacker>(new StoredPacker); }},
};

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// Sets the header CRC (low 16 bits of the CRC-32 of the header after the CRC
// field) of the header that starts at out[start].
void SealHeader(std::vector<uint8_t>& out, size_t start, const Crc32Table& crc) {
  uint32_t value = crc.Checksum(out.data() + start + 2, out.size() - start - 2);
  out[start] = uint8_t(value);
  out[start + 1] = uint8_t(value >> 8);
}

void WriteMainHeader(std::vector<uint8_t>& out, bool solid, const Crc32Table& crc) {
  out.insert(out.end(), rar::kMarker, rar::kMarker + rar::kMarkerSize);
  size_t start = out.size();
  PutLe(out, 0, 2);
  PutLe(out, rar::kMainBlock, 1);
  PutLe(out, solid ? rar::kArchiveSolid : 0, 2);
  PutLe(out, rar::kMainHeaderSize, 2);
  PutLe(out, 0, 2);  // reserved
  PutLe(out, 0, 4);  // reserved
  SealHeader(out, start, crc);
}

void WriteFileHeader(std::vector<uint8_t>& out, const ArchiveEntry& entry, const PackedMember& packed,
                     const Crc32Table& crc) {
  size_t start = out.size();
  uint16_t flags = rar::kLongBlock | packed.fileFlags | (entry.directory ? rar::kDirectoryMask : 0);
  PutLe(out, 0, 2);
  PutLe(out, rar::kFileBlock, 1);
  PutLe(out, flags, 2);
  PutLe(out, rar::kFixedHeaderSize + uint32_t(entry.name.size()), 2);
  PutLe(out, uint32_t(packed.bytes.size()), 4);
  PutLe(out, uint32_t(entry.content.size()), 4);
  PutLe(out, rar::kHostWin32, 1);
  PutLe(out, crc.Checksum(entry.content.data(), entry.content.size()), 4);
  PutLe(out, kFixedDosTime, 4);
  PutLe(out, packed.unpackVersion, 1);
  PutLe(out, packed.method, 1);
  PutLe(out, uint32_t(entry.name.size()), 2);
  PutLe(out, entry.directory ? kDirectoryAttributes : kFileAttributes, 4);
  out.insert(out.end(), entry.name.begin(), entry.name.end());
  SealHeader(out, start, crc);
}

bool CheckEntry(const ArchiveEntry& entry, std::string* error) {
  if (entry.name.empty() || entry.name.size() > rar::kMaxNameLength) {
    *error = "member name must have 1 to 259 characters: " + entry.name;
    return false;
  }
  if (entry.content.size() > rar::kMaxMemberSize) {
    *error = "member larger than 256 MiB: " + entry.name;
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<MemberPacker> MakeMemberPacker(const std::string& method) {
  for (const auto& p : kPackers)
    if (method == p.name) return p.make();
  return nullptr;
}

std::string MemberPackerNames() {
  std::string names;
  for (const auto& p : kPackers) names += (names.empty() ? "" : "|") + std::string(p.name);
  return names;
}

bool WriteRarArchive(const std::vector<ArchiveEntry>& entries, MemberPacker& packer, std::vector<uint8_t>* out,
                     std::string* error) {
  Crc32Table crc;
  crc.Build();
  WriteMainHeader(*out, packer.SolidArchive(), crc);
  for (const ArchiveEntry& entry : entries) {
    if (!CheckEntry(entry, error)) return false;
    // A folder passes through the packer as an empty member, because a
    // solid stream restarts after one in unar as after any empty member;
    // its own header stays that of stored data.
    PackedMember packed;
    if (!packer.Pack(entry.content, &packed, error)) return false;
    if (entry.directory) packed = PackedMember{};
    WriteFileHeader(*out, entry, packed, crc);
    out->insert(out->end(), packed.bytes.begin(), packed.bytes.end());
  }
  return true;
}
