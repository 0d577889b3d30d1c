// RarReader on archives built in the test: name rule, CRC, the read
// primitive, extraction, and every kind of damaged or hostile header.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "archive/rar_reader.h"
#include "unit/archive/test_archive_builder.h"

namespace {

struct Extraction {
  int result;
  std::string bytes;
  bool nullOnFailure;  // result 0 came with a null buffer and size 0
  const char* failure;
};

Extraction Extract(const std::string& archive, const char* name) {
  // An exact-size heap copy, so ASan sees any read past the archive.
  std::vector<uint8_t> copy(archive.begin(), archive.end());
  MemoryArchive view{copy.data(), uint32_t(copy.size()), 0};
  uint8_t* out = reinterpret_cast<uint8_t*>(1);
  uint32_t size = 12345;
  Extraction e;
  e.result = rarReader.ExtractMember(&out, &size, name, view);
  e.nullOnFailure = e.result == 0 && out == nullptr && size == 0;
  if (e.result) e.bytes.assign(reinterpret_cast<char*>(out), size);
  e.failure = rarReader.failure;
  delete[] out;
  return e;
}

TEST(Crc32, MatchesTheStandardCheckValue) {
  Crc32Table table;
  table.Build();
  EXPECT_EQ(table.Checksum(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(table.Checksum(nullptr, 0), 0u);
}

TEST(Crc32, GivesTheSameRegisterInPiecesAsWhole) {
  Crc32Table table;
  table.Build();
  std::vector<uint8_t> bytes(203);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 131 + 7);
  const uint32_t whole = table.Update(Crc32Table::kPreset, bytes.data(), bytes.size());
  for (size_t split : {1, 3, 7, 8, 9, 16, 100, 202}) {
    const uint32_t first = table.Update(Crc32Table::kPreset, bytes.data(), split);
    EXPECT_EQ(table.Update(first, bytes.data() + split, bytes.size() - split), whole) << "split at " << split;
  }
}

TEST(RarReader, NameRuleIgnoresCaseAndSeparators) {
  // a                          b                          matches
  const struct { const char* a; const char* b; bool match; } cases[] = {
      {"textures\\ocean.jpg", "textures\\ocean.jpg", true},
      {"TEXTURES/OCEAN.JPG", "textures\\ocean.jpg", true},
      {"textures_ocean.jpg", "textures\\ocean.jpg", true},
      {"textures\\lens4.jpg", "textures\\lens4.JPG", true},
      {"textures\\ocean.jpg", "textures\\ocean.jpgx", false},
      {"textures\\ocean", "textures\\ocean.jpg", false},
      {"", "", true},
      {"", "a", false},
      {"\xe9", "\xc9", false},  // only ASCII letters fold
      {"a-b", "a_b", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NameMatches(c.a, c.b), c.match) << c.a << " / " << c.b;
}

TEST(RarReader, ReadPrimitiveIsAllOrNothing) {
  const uint8_t bytes[5] = {1, 2, 3, 4, 5};
  MemoryArchive a{bytes, 5, 0};
  uint8_t dst[8] = {};
  EXPECT_EQ(a.Read(dst, 0), 0u);
  EXPECT_EQ(a.Read(dst, 3), 3u);
  EXPECT_EQ(a.offset, 3u);
  EXPECT_EQ(a.Read(dst, 3), 0u);  // only 2 left
  EXPECT_EQ(a.offset, 3u);
  EXPECT_EQ(a.Read(dst, 2), 2u);
  EXPECT_EQ(dst[1], 5);
  a.offset = 0xFFFFFFF0u;  // past the end after a damaged header
  EXPECT_EQ(a.Read(dst, 0x20), 0u);
}

TEST(RarReader, ExtractsStoredMembersAndDirectoryEntries) {
  std::string archive = BuildArchive({DirectoryEntry("meshes"), StoredMember("meshes\\sphere.dat", "xyz"),
                                      StoredMember("textures\\ocean.jpg", "jpeg bytes"),
                                      StoredMember("empty.txt", "")});
  for (const char* name : {"textures\\ocean.jpg", "TEXTURES/OCEAN.JPG", "textures_ocean.jpg"})
    EXPECT_EQ(Extract(archive, name).bytes, "jpeg bytes") << name;
  Extraction dir = Extract(archive, "meshes");
  EXPECT_EQ(dir.result, 1);
  EXPECT_EQ(dir.bytes, "");
  EXPECT_EQ(Extract(archive, "meshes/sphere.dat").bytes, "xyz");
  EXPECT_EQ(Extract(archive, "empty.txt").result, 1);
  EXPECT_EQ(rarReader.failure, nullptr);
}

TEST(RarReader, LeavesTheOffsetOnTheBlockAfterTheMember) {
  std::string archive = BuildArchive({StoredMember("a", "1"), StoredMember("b", "22")});
  MemoryArchive view{reinterpret_cast<const uint8_t*>(archive.data()), uint32_t(archive.size()), 0};
  uint8_t* out = nullptr;
  uint32_t size = 0;
  ASSERT_EQ(rarReader.ExtractMember(&out, &size, "a", view), 1);
  delete[] out;
  EXPECT_EQ(view.offset, 20u + 33u + 1u);
}

TEST(RarReader, TakesTheFirstOfTwoMembersWithTheSameName) {
  std::string archive = BuildArchive({StoredMember("dup.txt", "first"), StoredMember("DUP.TXT", "second")});
  EXPECT_EQ(Extract(archive, "dup.txt").bytes, "first");
}

TEST(RarReader, SkipsOtherBlockTypesAndLongerMainHeaders) {
  TestBlock comment;  // an old-style comment block with a data area
  comment.type = 0x75;
  comment.data = "a comment";
  TestBlock end;  // end-of-archive block: header only
  end.type = 0x7B;
  end.flags = 0;
  end.headerSize = 7;
  std::string archive = BuildArchive({comment, StoredMember("x", "payload"), end}, 0, 40);
  EXPECT_EQ(Extract(archive, "x").bytes, "payload");
  EXPECT_STREQ(Extract(archive, "y").failure, "no further block header");
}

TEST(RarReader, DataStartsAfterTheWholeHeaderNotAfterTheName) {
  TestBlock member = StoredMember("x", "payload");
  member.headerSize = 32 + 1 + 8;  // extended time fields after the name
  member.name = std::string("x") + std::string(8, '\0');
  member.nameSize = 1;
  EXPECT_EQ(Extract(BuildArchive({member}), "x").bytes, "payload");
}

TEST(RarReader, SolidArchivesCheckEveryMemberBeforeTheWantedOne) {
  TestBlock old = StoredMember("first", "1");
  old.unpackVersion = 29;
  std::vector<TestBlock> blocks = {old, StoredMember("second", "2")};
  EXPECT_EQ(Extract(BuildArchive(blocks), "second").bytes, "2");
  Extraction solid = Extract(BuildArchive(blocks, rar::kArchiveSolid), "second");
  EXPECT_TRUE(solid.nullOnFailure);
  EXPECT_STREQ(solid.failure, "unpack version outside 13..20");
  EXPECT_EQ(Extract(BuildArchive({StoredMember("first", "1"), StoredMember("second", "2")}, rar::kArchiveSolid),
                    "second").bytes, "2");
}

TEST(RarReader, PackedMembersGoToTheUnpacker) {
  TestBlock dir = DirectoryEntry("exe");  // as RAR 2.x writes folders: packed method, no data
  dir.method = 0x35;
  EXPECT_EQ(Extract(BuildArchive({dir}), "exe").result, 1);
}

// Each case: a whole archive and the member asked for; all must fail with
// result 0, a null buffer, size 0 and the given reason.
struct BadCase {
  const char* what;
  std::string archive;
  std::string name;
  const char* failure;
};

std::string Cut(const std::string& s, size_t n) { return s.substr(0, n); }

std::vector<BadCase> BadCases() {
  const std::string good = BuildArchive({StoredMember("texture.txt", "END_TEXT\r\n")});
  const std::string marker = Cut(good, 7);
  auto with = [](auto edit) {
    TestBlock b = StoredMember("texture.txt", "END_TEXT\r\n");
    edit(b);
    return BuildArchive({b});
  };
  TestBlock sub;
  sub.type = rar::kSubBlock;
  sub.data = "owner";
  TestBlock wrap;  // pack size that brings a 32-bit next-block sum back onto the block start
  wrap.type = 0x7A;
  wrap.headerSize = 32;
  wrap.packSize = 0x100000000LL - 32;
  std::string flipped = good;
  flipped[flipped.size() - 3] ^= 0x01;
  std::string longName(300, 'n');
  return {
      {"empty data", "", "texture.txt", "archive too short for the marker"},
      {"six bytes", Cut(marker, 6), "texture.txt", "archive too short for the marker"},
      {"other marker", "RE~^" + good.substr(4), "texture.txt", "no RAR 2.x marker"},
      {"ends after the marker", marker, "texture.txt", "main header unreadable"},
      {"ends inside the main header", Cut(good, 19), "texture.txt", "main header unreadable"},
      {"ends after the main header", Cut(good, 20), "texture.txt", "no further block header"},
      {"ends inside a file header", Cut(good, 40), "texture.txt", "no further block header"},
      {"ends inside the name", Cut(good, 20 + 32 + 5), "texture.txt", "name runs past the end"},
      {"header size 0", with([](TestBlock& b) { b.headerSize = 0; }), "texture.txt", "header size below 7"},
      {"header size 6", with([](TestBlock& b) { b.headerSize = 6; }), "texture.txt", "header size below 7"},
      {"next block wraps onto itself", BuildArchive({wrap, StoredMember("texture.txt", "x")}), "texture.txt",
       "no further block header"},
      {"pack size past the end", with([](TestBlock& b) { b.packSize = b.unpackedSize = 1000; }), "texture.txt",
       "member larger than its packed data"},
      {"data cut short", Cut(good, good.size() - 1), "texture.txt", "member larger than its packed data"},
      {"pack size below unpacked size", with([](TestBlock& b) { b.packSize = 4; }), "texture.txt",
       "member larger than its packed data"},
      {"one data byte altered", flipped, "texture.txt", "CRC mismatch"},
      {"stored CRC wrong", with([](TestBlock& b) { b.fileCrc = 0; }), "texture.txt", "CRC mismatch"},
      {"encrypted flag", with([](TestBlock& b) { b.flags |= rar::kFileEncrypted; }), "texture.txt",
       "member encrypted"},
      {"unpack version 12", with([](TestBlock& b) { b.unpackVersion = 12; }), "texture.txt",
       "unpack version outside 13..20"},
      {"unpack version 21", with([](TestBlock& b) { b.unpackVersion = 21; }), "texture.txt",
       "unpack version outside 13..20"},
      {"unpack version 29, stored", with([](TestBlock& b) { b.unpackVersion = 29; }), "texture.txt",
       "unpack version outside 13..20"},
      // 10 packed bytes unpack to at most 10 x 2080 bytes.
      {"packed member promising more than its data holds",
       with([](TestBlock& b) { b.method = 0x33; b.unpackedSize = 10 * 2080 + 1; }), "texture.txt",
       "member larger than its packed data"},
      {"unpacked size beyond the limit", with([](TestBlock& b) { b.unpackedSize = 0xFFFFFFFF; }), "texture.txt",
       "member larger than the size limit"},
      {"sub-block before the member", BuildArchive({sub, StoredMember("texture.txt", "x")}), "texture.txt",
       "sub-block met"},
      {"member not present", good, "world.txt", "no further block header"},
      {"requested name over 259", BuildArchive({StoredMember(longName, "x")}), longName,
       "name longer than 259 characters"},
      {"stored name over 259", BuildArchive({StoredMember(longName, "x")}), longName.substr(0, 259),
       "no further block header"},
  };
}

TEST(RarReader, BadInputFailsCleanlyWithItsReason) {
  for (const BadCase& c : BadCases()) {
    Extraction e = Extract(c.archive, c.name.c_str());
    EXPECT_EQ(e.result, 0) << c.what;
    EXPECT_TRUE(e.nullOnFailure) << c.what;
    EXPECT_STREQ(e.failure, c.failure) << c.what;
  }
}

TEST(RarReader, EveryPrefixOfAnArchiveFailsOrExtractsWithoutStrayReads) {
  std::string archive = BuildArchive({DirectoryEntry("meshes"), StoredMember("meshes\\env.dat", "0123456789"),
                                      StoredMember("texture.txt", "END_TEXT\r\n")});
  for (size_t n = 0; n < archive.size(); ++n) {
    Extraction e = Extract(archive.substr(0, n), "texture.txt");
    EXPECT_TRUE(e.nullOnFailure) << n;
  }
  EXPECT_EQ(Extract(archive, "texture.txt").bytes, "END_TEXT\r\n");
}

}  // namespace
