// The RAR 2.x writer of terrava-tool: turns a sorted list of entries into the
// marker, a main header and one file header per entry, each with its header
// CRC, followed by the member's data area. How a member's bytes become that
// data area is the business of a MemberPacker chosen by --method; "stored"
// copies them unchanged (method 0x30, unpack version 20).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One file or folder of the packed tree.
struct ArchiveEntry {
  std::string name;              // stored name: backslash separators, at most 259 characters
  bool directory = false;
  std::vector<uint8_t> content;  // the file's bytes; empty for folders
};

// What a packer makes of one member.
struct PackedMember {
  std::vector<uint8_t> bytes;  // the data area written after the file header
  uint8_t method = 0x30;       // 0x30 stored, 0x31..0x35 packed
  uint8_t unpackVersion = 20;  // version needed to extract
  uint16_t fileFlags = 0;      // added to the header flags: solid (0x10), dictionary bits (0x00..0xC0)
};

// Turns a member's bytes into its data area. One packer object serves a
// whole archive, in member order, so a solid packer can carry its window
// from member to member.
class MemberPacker {
 public:
  virtual ~MemberPacker() = default;
  // True when the main header must carry the solid-archive flag.
  virtual bool SolidArchive() const { return false; }
  // Fills out; false with error set when the member cannot be packed.
  virtual bool Pack(const std::vector<uint8_t>& content, PackedMember* out, std::string* error) = 0;
};

// The packer of a --method name, or null for an unknown name.
std::unique_ptr<MemberPacker> MakeMemberPacker(const std::string& method);
// The method names MakeMemberPacker knows, separated by '|', for messages.
std::string MemberPackerNames();

// Appends the archive of entries, in the given order, to out. Fails on a
// name longer than 259 characters or a member larger than the reader's limit.
bool WriteRarArchive(const std::vector<ArchiveEntry>& entries, MemberPacker& packer, std::vector<uint8_t>* out,
                     std::string* error);
