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
    ASSERT_TRUE(file.OpenResource(115));
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
  file.Seek(0, SeekOrigin::kStart);
  EXPECT_EQ(ReadLines(file, 1, 1), (Lines{{"", true}}));
  char untouched = 'u';
  file.Seek(0, SeekOrigin::kStart);
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
  file.Seek(8, SeekOrigin::kStart);
  std::memset(dst, '#', sizeof dst);
  EXPECT_EQ(file.Read(dst, 5), 13u);  // 2 inside, 3 beyond
  EXPECT_EQ(std::string(dst, 8), "89######");
  EXPECT_TRUE(file.AtEnd());
  file.Seek(10, SeekOrigin::kStart);
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
  constexpr SeekOrigin kStart = SeekOrigin::kStart, kCurrent = SeekOrigin::kCurrent, kEnd = SeekOrigin::kEnd;
  const struct { int32_t offset; SeekOrigin origin; uint32_t position; } steps[] = {
      {3, kEnd, 7},    {2, kCurrent, 9}, {-4, kCurrent, 5}, {4, kStart, 4},
      {-5, kEnd, 15},  {0, kEnd, 10},    {-11, kCurrent, UINT32_MAX},  // before the start: past the end
      {-1, kStart, UINT32_MAX},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(file.Seek(s.offset, s.origin), s.position <= 10u) << s.offset << " " << int(s.origin);
    EXPECT_EQ(file.position, s.position) << s.offset << " " << int(s.origin);
  }
}

TEST_F(ArchiveFileTest, PositionNeverWrapsBackIntoTheData) {
  ArchiveFile file;
  OpenBytes(file, "abc");
  file.Seek(INT32_MAX, SeekOrigin::kStart);
  file.Seek(INT32_MAX, SeekOrigin::kCurrent);
  file.Seek(INT32_MAX, SeekOrigin::kCurrent);
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
  EXPECT_TRUE(file.OpenResource(0x10000 + 115));  // only the low 16 bits name the resource
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
  EXPECT_FALSE(file.OpenResource(999));
  EXPECT_STREQ(file.failure, "no such resource");
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  EXPECT_EQ(ReadLines(file, 2), (Lines{{"", false}, {"", false}}));
}

TEST_F(ArchiveFileTest, OpenMemberFindsNamesByAnySpelling) {
  AddArchive({DirectoryEntry("textures"), StoredMember("textures\\PLANET05.JPG", "jpeg"),
              StoredMember("texture.txt", "textures\\planet05.jpg\r\nEND_TEXT\r\n"), StoredMember("empty.txt", "")});
  for (const char* name : {"textures\\planet05.jpg", "textures/planet05.jpg", "TEXTURES_PLANET05.jpg"}) {
    ArchiveFile file;
    ASSERT_TRUE(file.OpenMember(name)) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data), file.size), "jpeg");
    EXPECT_STREQ(file.memberName, name);
    EXPECT_EQ(file.borrowed, 0);
  }
  ArchiveFile list;
  ASSERT_TRUE(list.OpenMember("texture.txt"));
  EXPECT_EQ(ReadLines(list, 3), (Lines{{"textures\\planet05.jpg", true}, {"END_TEXT", true}, {"", false}}));
  ArchiveFile empty;
  ASSERT_TRUE(empty.OpenMember("empty.txt"));
  EXPECT_EQ(ReadLines(empty, 1), (Lines{{"", false}}));
}

TEST_F(ArchiveFileTest, FailedOpenMemberLeavesAnEmptyStream) {
  ArchiveFile file;
  EXPECT_FALSE(file.OpenMember("texture.txt"));  // no resource 125 at all
  EXPECT_STREQ(file.failure, "no data archive");
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  AddArchive({StoredMember("texture.txt", "END_TEXT")});
  ASSERT_TRUE(file.OpenMember("texture.txt"));
  EXPECT_FALSE(file.OpenMember("world.txt"));  // releases the previous buffer first
  EXPECT_STREQ(file.failure, "no further block header");
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(file.size, 0u);
  EXPECT_EQ(file.position, 0u);
}

TEST_F(ArchiveFileTest, ReopeningReleasesOwnedBuffersAndRewinds) {
  AddArchive({StoredMember("a.txt", "member")});
  native_platform::AddResource(kDataResourceType, 115, "resource", 8);
  ArchiveFile file;
  ASSERT_TRUE(file.OpenMember("a.txt"));
  file.Seek(4, SeekOrigin::kStart);
  ASSERT_TRUE(file.OpenResource(115));  // the member buffer is freed, not leaked
  EXPECT_EQ(file.position, 0u);
  EXPECT_EQ(file.size, 8u);
  ASSERT_TRUE(file.OpenMember("a.txt"));
  EXPECT_EQ(file.borrowed, 0);
  EXPECT_EQ(file.size, 6u);
}

TEST_F(ArchiveFileTest, MemberNameFieldKeepsNinetyNineCharacters) {
  std::string name(150, 'n');
  ArchiveFile file;
  EXPECT_FALSE(file.OpenMember(name.c_str()));
  EXPECT_EQ(std::string(file.memberName), name.substr(0, 99));
}

}  // namespace
