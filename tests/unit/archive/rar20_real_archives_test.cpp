// Packed members of archives made by real RAR versions (tests/data/rar, see
// its PROVENANCE.md), through RarReader and RarUnpacker: every member with a
// reference file and unpack version 20 extracts byte-identically to it (LZ,
// multimedia with 2 and 3 channels, solid), and every other one (damaged
// data, a missing next volume, the RAR 1.5 method) fails cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/rar_reader.h"

namespace {

std::string DataPath(const std::string& relative) { return std::string(TERRAVA_TEST_DATA_DIR) + "/rar/" + relative; }

bool ReadFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// The reference file name of a stored member name: separators become '/',
// bytes other than letters, digits and "._-" become '_'.
std::string ReferenceName(const std::string& member) {
  std::string name;
  for (unsigned char c : member) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                 c == '_' || c == '-';
    name += c == '\\' ? '/' : plain ? char(c) : '_';
  }
  return name;
}

struct PackedMember {
  std::string name;
  uint8_t unpackVersion;
};

std::vector<PackedMember> PackedMembers(const std::string& archive) {
  std::vector<PackedMember> members;
  MemoryArchive view{reinterpret_cast<const uint8_t*>(archive.data()), uint32_t(archive.size()), 0};
  if (!rarReader.ReadArchiveStart(view)) return members;
  for (; rarReader.FindNextFileHeader(view); view.offset = rarReader.nextBlock)
    if (rarReader.fileHeader.method != rar::kMethodStored && rarReader.fileHeader.unpackedSize > 0)
      members.push_back({rarReader.memberName, rarReader.fileHeader.unpackVersion});
  return members;
}

TEST(Rar20RealArchives, PackedMembersMatchTheirReferenceOrFail) {
  const char* kArchives[] = {
      "zxtune/test_v2.rar",
      "zxtune/test_v2solid5.rar",
      "junrar/BoatModernEnglish-audio-text-unpack20.rar",
      "junrar/BoatModernEnglish-regular-unpack20.rar",
      "junrar/BoatModernEnglish-regular-unpack15-win.rar",
      "junrar/BoatModernEnglish-regular-unpack15-dos.rar",
      "junrar/void-dist-v20.rar",
      "sharpcompress/Rar2.rar",
      "sharpcompress/Rar2.multi.rar",
      "sharpcompress/Rar15.rar",
      "rarfile/rar2-unix-owner.rar",
      "rarfile/rar15-comment.rar",
      "damaged/BoatModernEnglish-audio-text-unpack20.flip14000.rar",
      "damaged/test_v2.trunc37000.rar",
      "damaged/test_v2solid5.flip4000.rar",
  };
  int identical = 0, failed = 0;
  for (const char* name : kArchives) {
    std::string archive;
    ASSERT_TRUE(ReadFile(DataPath(std::string("files/") + name), &archive)) << name;
    std::vector<PackedMember> members = PackedMembers(archive);
    EXPECT_FALSE(members.empty()) << name;
    for (const PackedMember& m : members) {
      SCOPED_TRACE(std::string(name) + " " + m.name);
      std::string expected;
      bool hasReference = ReadFile(DataPath(std::string("expected/") + name + "/" + ReferenceName(m.name)), &expected);
      MemoryArchive view{reinterpret_cast<const uint8_t*>(archive.data()), uint32_t(archive.size()), 0};
      uint8_t* out = nullptr;
      uint32_t size = 0;
      int result = rarReader.ExtractMember(&out, &size, m.name.c_str(), view);
      std::string got(reinterpret_cast<const char*>(out), out ? size : 0);
      delete[] out;
      // Unpack version 15 is another algorithm: its reference bytes come
      // from decoders that know it, and here it must fail.
      if (hasReference && m.unpackVersion == 20) {
        ASSERT_EQ(result, 1) << rarReader.failure;
        EXPECT_TRUE(got == expected);
        ++identical;
      } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(size, 0u);
        ++failed;
      }
    }
  }
  // 16 RAR 2.0 members with references; 8 of unpack version 15, 6 damaged or cut.
  EXPECT_EQ(identical, 16);
  EXPECT_EQ(failed, 14);
}

}  // namespace
