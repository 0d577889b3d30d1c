// terrava-tool's archive writer and output paths: what it writes reads back
// through RarReader with valid header CRCs, and unsafe member names never
// turn into paths outside the output folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/rar_reader.h"
#include "archive_tree.h"
#include "archive_writer.h"

namespace {

ArchiveEntry File(const std::string& name, const std::string& content) {
  ArchiveEntry e;
  e.name = name;
  e.content.assign(content.begin(), content.end());
  return e;
}

ArchiveEntry Folder(const std::string& name) {
  ArchiveEntry e;
  e.name = name;
  e.directory = true;
  return e;
}

std::vector<uint8_t> Write(const std::vector<ArchiveEntry>& entries) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(WriteRarArchive(entries, *MakeMemberPacker("stored"), &out, &error)) << error;
  return out;
}

TEST(ArchiveWriter, EveryEntryReadsBackWithItsHeaderFields) {
  std::vector<ArchiveEntry> entries = {Folder("meshes"), File("meshes\\sphere.dat", std::string(1000, 's')),
                                       File("texture.txt", "END_TEXT\r\n"), File("empty.txt", "")};
  std::vector<uint8_t> archive = Write(entries);
  MemoryArchive view{archive.data(), uint32_t(archive.size()), 0};
  ASSERT_TRUE(rarReader.ReadArchiveStart(view));
  EXPECT_FALSE(rarReader.solid);
  Crc32Table crc;
  crc.Build();
  for (const ArchiveEntry& e : entries) {
    ASSERT_TRUE(rarReader.FindNextFileHeader(view)) << e.name;
    const RarBlockHeader& h = rarReader.fileHeader;
    EXPECT_EQ(rarReader.memberName, e.name);
    EXPECT_EQ(h.method, rar::kMethodStored);
    EXPECT_EQ(h.unpackVersion, 20);
    EXPECT_EQ(h.hostSystem, rar::kHostWin32);
    EXPECT_EQ((h.flags & rar::kDirectoryMask) == rar::kDirectoryMask, e.directory);
    EXPECT_EQ(h.attributes, e.directory ? 0x10u : 0x20u);
    uint32_t headerCrc = crc.Checksum(archive.data() + rarReader.blockStart + 2, h.headerSize - 2u) & 0xFFFF;
    EXPECT_EQ(h.headerCrc, headerCrc) << e.name;
    view.offset = rarReader.nextBlock;
  }
  EXPECT_FALSE(rarReader.FindNextFileHeader(view));
  for (const ArchiveEntry& e : entries) {
    view.offset = 0;
    uint8_t* out = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(rarReader.ExtractMember(&out, &size, e.name.c_str(), view), 1) << e.name;
    EXPECT_EQ(std::vector<uint8_t>(out, out + size), e.content);
    delete[] out;
  }
}

TEST(ArchiveWriter, SameEntriesGiveTheSameBytes) {
  std::vector<ArchiveEntry> entries = {File("a.txt", "a"), Folder("b")};
  EXPECT_EQ(Write(entries), Write(entries));
}

TEST(ArchiveWriter, RefusesNamesTheReaderWouldCut) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_FALSE(WriteRarArchive({File(std::string(260, 'n'), "x")}, *MakeMemberPacker("stored"), &out, &error));
  EXPECT_NE(error.find("259"), std::string::npos);
  EXPECT_EQ(MakeMemberPacker("lzma"), nullptr);
}

TEST(ArchiveTree, MemberNamesBecomePathsInsideTheOutputFolder) {
  // member name                 path below "out", or "" when refused
  const struct { const char* name; const char* path; } cases[] = {
      {"texture.txt", "out/texture.txt"},
      {"textures\\ocean.jpg", "out/textures/ocean.jpg"},
      {"textures/ocean.jpg", "out/textures/ocean.jpg"},
      {"a\\.\\b\\\\c", "out/a/b/c"},
      {"\xd1\x82.txt", "out/\xd1\x82.txt"},
      {"a\x01\x7f.txt", "out/a__.txt"},
      {"..\\evil", ""},
      {"a\\..\\evil", ""},
      {"a/..", ""},
      {"\\root", ""},
      {"/root", ""},
      {"C:evil", ""},
      {"", ""},
      {".", ""},
  };
  for (const auto& c : cases) {
    std::string path;
    bool ok = MemberOutputPath("out", c.name, &path);
    EXPECT_EQ(ok ? path : std::string(), c.path) << c.name;
  }
}

TEST(ArchiveTree, ReadFileBytesReadsFilesAndRefusesTheRest) {
  const std::string folder = ::testing::TempDir() + "read_file_bytes";
  const uint8_t content[] = {0, 'R', 'a', 'r', 0xFF};
  ASSERT_TRUE(WriteFileBytes(folder + "/file.bin", content, sizeof content));
  // path                      read   bytes
  const struct { std::string path; bool read; size_t size; } cases[] = {
      {folder + "/file.bin", true, sizeof content},
      {folder, false, 0},  // a folder opens, but its first read fails
      {folder + "/missing", false, 0},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_EQ(ReadFileBytes(c.path, &bytes), c.read) << c.path;
    EXPECT_EQ(bytes.size(), c.size) << c.path;
  }
}

}  // namespace
