// ArchiveFile: the line reader, reads and seeks at and past the end, and
// opening members and raw resources through the native resource table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_file.h"
#include "platform/native_platform.h"
#include "unit/archive/test_archive_builder.h"

namespace {

class ArchiveFileTest : public ::testing::Test {
 protected:
  void SetUp() override { native_platform::ResetAll(); }
  void TearDown() override { native_platform::ResetAll(); }

  // Opens the bytes as raw resource 115.
  void OpenBytes(ArchiveFile& file, const std::string& bytes) {
    native_platform::AddResource(kDataResourceType, 115, bytes.data(), uint32_t(bytes.size()));
    ASSERT_EQ(file.OpenResource(115), 1);
  }
  void AddArchive(const std::vector<TestBlock>& blocks) {
    std::string archive = BuildArchive(blocks);
    native_platform::AddResource(kDataResourceType, kDataArchiveResource, archive.data(), uint32_t(archive.size()));
  }
};

using Lines = std::vector<std::pair<std::string, bool>>;

Lines ReadLines(ArchiveFile& file, int count, uint32_t capacity = 128) {
  Lines lines;
  for (int i = 0; i < count; ++i) {
    char buffer[128];
    std::memset(buffer, '#', sizeof buffer);
    bool more = file.ReadLine(buffer, capacity);
    lines.emplace_back(buffer, more);
  }
  return lines;
}

TEST_F(ArchiveFileTest, ReadLineSplitsTrimsAndReportsTheEnd) {
  // input bytes                  the lines and results of successive calls
  const struct { std::string bytes; Lines lines; } cases[] = {
      {"a\r\nb", {{"a", true}, {"b", false}, {"", false}, {"", false}}},
      {"   x y  \r\n", {{"x y  ", true}, {"", false}}},
      {"\tx\n", {{"\tx", true}, {"", false}}},
      {"", {{"", false}, {"", false}}},
      {"last\n", {{"last", true}, {"", false}}},
      {"    ", {{"", false}}},
      {"   \nx", {{"", true}, {"x", false}}},
      {"a\rb\r\r\n", {{"ab", true}, {"", false}}},
      {"\n\nEND", {{"", true}, {"", true}, {"END", false}}},
      {std::string("a\0b\n", 4), {{"a", true}, {"", false}}},  // a NUL ends the C string, not the line
  };
  for (const auto& c : cases) {
    ArchiveFile file;
    OpenBytes(file, c.bytes);
    EXPECT_EQ(ReadLines(file, int(c.lines.size())), c.lines) << testing::PrintToString(c.bytes);
  }
}

TEST_F(ArchiveFileTest, ReadLineKeepsAtMostCapacityMinusOneCharacters) {
  ArchiveFile file;
  OpenBytes(file, "abcdefg\nhi");
  EXPECT_EQ(ReadLines(file, 2, 4), (Lines{{"abc", true}, {"hi", false}}));
  file.Seek(0, 0);
  EXPECT_EQ(ReadLines(file, 1, 1), (Lines{{"", true}}));
  char untouched = 'u';
  file.Seek(0, 0);
  EXPECT_TRUE(file.ReadLine(&untouched, 0));
  EXPECT_EQ(untouched, 'u');
  EXPECT_EQ(file.position, 8u);
}

TEST_F(ArchiveFileTest, ReadCopiesOnlyBytesInsideTheData) {
  ArchiveFile file;
  OpenBytes(file, "0123456789");
  char dst[8];
  EXPECT_EQ(file.Read(dst, 0), 0u);
  EXPECT_EQ(file.position, 0u);
  EXPECT_EQ(file.Read(dst, 6), 6u);
  std::memset(dst, '#', sizeof dst);
  EXPECT_EQ(file.Read(dst, 4), 10u);  // exactly to the end
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(std::string(dst, 8), "6789####");
  file.Seek(8, 0);
  std::memset(dst, '#', sizeof dst);
  EXPECT_EQ(file.Read(dst, 5), 13u);  // 2 inside, 3 beyond
  EXPECT_EQ(std::string(dst, 8), "89######");
  EXPECT_TRUE(file.AtEnd());
  file.Seek(10, 0);
  EXPECT_EQ(file.Read(dst, 1), 11u);
  EXPECT_TRUE(file.AtEnd());
}

TEST_F(ArchiveFileTest, ReadUnlessEndStopsOncePastTheEnd) {
  ArchiveFile file;
  OpenBytes(file, "abcd");
  uint32_t field = 0;
  file.ReadUnlessEnd(&field, 4);
  EXPECT_EQ(file.position, 4u);
  file.ReadUnlessEnd(&field, 4);  // at the end, not past it: reads (nothing) and moves on
  EXPECT_EQ(file.position, 8u);
  file.ReadUnlessEnd(&field, 4);
  EXPECT_EQ(file.position, 8u);
}

TEST_F(ArchiveFileTest, SeekFollowsItsOrigin) {
  ArchiveFile file;
  OpenBytes(file, "0123456789");
  // offset     origin  position after
  const struct { int32_t offset; int origin; uint32_t position; } steps[] = {
      {3, 2, 7},  {2, 1, 9},   {-4, 1, 5}, {4, 0, 4}, {1, 3, 4}, {0, -1, 4},
      {-5, 2, 15}, {0, 2, 10}, {-11, 1, UINT32_MAX},  // before the start: past the end
      {-1, 0, UINT32_MAX},
  };
  for (const auto& s : steps) {
    file.Seek(s.offset, s.origin);
    EXPECT_EQ(file.position, s.position) << s.offset << " " << s.origin;
  }
}

TEST_F(ArchiveFileTest, PositionNeverWrapsBackIntoTheData) {
  ArchiveFile file;
  OpenBytes(file, "abc");
  file.Seek(INT32_MAX, 0);
  file.Seek(INT32_MAX, 1);
  file.Seek(INT32_MAX, 1);
  EXPECT_EQ(file.position, UINT32_MAX);
  char c = '#';
  EXPECT_EQ(file.Read(&c, 4), UINT32_MAX);
  EXPECT_EQ(c, '#');
  EXPECT_TRUE(file.AtEnd());
  char line[8];
  EXPECT_FALSE(file.ReadLine(line, sizeof line));
  EXPECT_STREQ(line, "");
}

TEST_F(ArchiveFileTest, OpenResourceBorrowsAndCloseLeavesTheBytes) {
  native_platform::AddResource(kDataResourceType, 115, "abc", 3);
  ArchiveFile file;
  EXPECT_EQ(file.OpenResource(0x10000 + 115), 1);  // only the low 16 bits name the resource
  ASSERT_NE(file.data, nullptr);
  EXPECT_EQ(file.borrowed, 1);
  const uint8_t* bytes = file.data;
  file.Close();
  file.Close();
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  EXPECT_EQ(std::memcmp(bytes, "abc", 3), 0);  // still the table's bytes
}

TEST_F(ArchiveFileTest, MissingResourceOpensAsAnEmptyStream) {
  ArchiveFile file;
  EXPECT_EQ(file.OpenResource(999), 1);
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  EXPECT_EQ(ReadLines(file, 2), (Lines{{"", false}, {"", false}}));
}

TEST_F(ArchiveFileTest, OpenMemberFindsNamesByAnySpelling) {
  AddArchive({DirectoryEntry("textures"), StoredMember("textures\\PLANET05.JPG", "jpeg"),
              StoredMember("texture.txt", "textures\\planet05.jpg\r\nEND_TEXT\r\n"), StoredMember("empty.txt", "")});
  for (const char* name : {"textures\\planet05.jpg", "textures/planet05.jpg", "TEXTURES_PLANET05.jpg"}) {
    ArchiveFile file;
    ASSERT_EQ(file.OpenMember(name), 1) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data), file.size), "jpeg");
    EXPECT_STREQ(file.memberName, name);
    EXPECT_EQ(file.borrowed, 0);
  }
  ArchiveFile list;
  ASSERT_EQ(list.OpenMember("texture.txt"), 1);
  EXPECT_EQ(ReadLines(list, 3), (Lines{{"textures\\planet05.jpg", true}, {"END_TEXT", true}, {"", false}}));
  ArchiveFile empty;
  ASSERT_EQ(empty.OpenMember("empty.txt"), 1);
  EXPECT_EQ(ReadLines(empty, 1), (Lines{{"", false}}));
}

TEST_F(ArchiveFileTest, FailedOpenMemberLeavesAnEmptyStream) {
  ArchiveFile file;
  EXPECT_EQ(file.OpenMember("texture.txt"), 0);  // no resource 125 at all
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  AddArchive({StoredMember("texture.txt", "END_TEXT")});
  ASSERT_EQ(file.OpenMember("texture.txt"), 1);
  EXPECT_EQ(file.OpenMember("world.txt"), 0);  // releases the previous buffer first
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  EXPECT_EQ(file.position, 0u);
}

TEST_F(ArchiveFileTest, ReopeningReleasesOwnedBuffersAndRewinds) {
  AddArchive({StoredMember("a.txt", "member")});
  native_platform::AddResource(kDataResourceType, 115, "resource", 8);
  ArchiveFile file;
  ASSERT_EQ(file.OpenMember("a.txt"), 1);
  file.Seek(4, 0);
  ASSERT_EQ(file.OpenResource(115), 1);  // the member buffer is freed, not leaked
  EXPECT_EQ(file.position, 0u);
  EXPECT_EQ(file.size, 8u);
  ASSERT_EQ(file.OpenMember("a.txt"), 1);
  EXPECT_EQ(file.borrowed, 0);
  EXPECT_EQ(file.size, 6u);
}

TEST_F(ArchiveFileTest, MemberNameFieldKeepsNinetyNineCharacters) {
  std::string name(150, 'n');
  ArchiveFile file;
  EXPECT_EQ(file.OpenMember(name.c_str()), 0);
  EXPECT_EQ(std::string(file.memberName), name.substr(0, 99));
}

}  // namespace
