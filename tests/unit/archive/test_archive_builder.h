// Builds RAR 1.5-2.x archives byte by byte for tests. Every header field can
// be set, so damaged and hostile archives read as one changed field; fields
// left at their defaults describe a valid stored member.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/crc32.h"
#include "archive/rar_format.h"

struct TestBlock {
  uint8_t type = rar::kFileBlock;
  uint16_t flags = rar::kLongBlock;
  int64_t headerSize = -1;    // -1: 32 + name length
  int64_t packSize = -1;      // -1: data length
  int64_t unpackedSize = -1;  // -1: data length
  int64_t fileCrc = -1;       // -1: CRC-32 of data
  uint8_t unpackVersion = 20;
  uint8_t method = rar::kMethodStored;
  int64_t nameSize = -1;      // -1: name length
  uint32_t attributes = 0x20;
  std::string name;
  std::string data;           // the bytes after the header
};

inline TestBlock StoredMember(const std::string& name, const std::string& data) {
  TestBlock b;
  b.name = name;
  b.data = data;
  return b;
}

inline TestBlock DirectoryEntry(const std::string& name) {
  TestBlock b;
  b.name = name;
  b.flags = rar::kLongBlock | rar::kDirectoryMask;
  b.attributes = 0x10;
  return b;
}

inline void PutLe(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

inline uint32_t TestCrc(const std::string& bytes) {
  Crc32Table table;
  table.Build();
  return table.Checksum(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

inline std::string EncodeBlock(const TestBlock& b) {
  auto pick = [](int64_t value, uint64_t fallback) { return value < 0 ? fallback : uint64_t(value); };
  std::string h;
  PutLe(h, 0, 2);  // header CRC, not checked by the reader
  PutLe(h, b.type, 1);
  PutLe(h, b.flags, 2);
  PutLe(h, pick(b.headerSize, rar::kFixedHeaderSize + b.name.size()), 2);
  PutLe(h, pick(b.packSize, b.data.size()), 4);
  PutLe(h, pick(b.unpackedSize, b.data.size()), 4);
  PutLe(h, rar::kHostWin32, 1);
  PutLe(h, pick(b.fileCrc, TestCrc(b.data)), 4);
  PutLe(h, 0x28210000, 4);  // 2000-01-01 00:00
  PutLe(h, b.unpackVersion, 1);
  PutLe(h, b.method, 1);
  PutLe(h, pick(b.nameSize, b.name.size()), 2);
  PutLe(h, b.attributes, 4);
  return h + b.name + b.data;
}

// Marker, main header (flags, header size) and the blocks in order.
inline std::string BuildArchive(const std::vector<TestBlock>& blocks, uint16_t mainFlags = 0,
                                uint16_t mainHeaderSize = rar::kMainHeaderSize) {
  std::string a(reinterpret_cast<const char*>(rar::kMarker), rar::kMarkerSize);
  PutLe(a, 0, 2);
  PutLe(a, rar::kMainBlock, 1);
  PutLe(a, mainFlags, 2);
  PutLe(a, mainHeaderSize, 2);
  PutLe(a, 0, 6);
  if (mainHeaderSize > rar::kMainHeaderSize) a.append(mainHeaderSize - rar::kMainHeaderSize, 'c');
  for (const TestBlock& b : blocks) a += EncodeBlock(b);
  return a;
}
