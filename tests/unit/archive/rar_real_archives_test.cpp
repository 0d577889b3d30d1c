// RarReader on archives made by real RAR versions (tests/data/rar, see its
// PROVENANCE.md): every stored member extracts byte-identically to the
// reference bytes, and every other member fails cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "archive/rar_reader.h"

namespace {

// RarUnpacker expands RAR 2.0 members, so every kPacked row must extract
// byte-identically too (false would expect them to fail cleanly instead).
constexpr bool kRar20Unpacks = true;

enum Outcome {
  kStored,  // stored member: byte-identical to its reference
  kEmpty,   // directory entry (pack size 0, size 0): an empty buffer
  kPacked,  // RAR 2.0 packed: byte-identical once kRar20Unpacks, result 0 before
  kFails,   // never extractable here: RAR 1.5 method, version 29, encrypted, damaged, next volume missing
};

struct RealMember {
  const char* archive;   // under files/
  const char* member;    // name as stored
  const char* expected;  // reference file under expected/<archive>/, or null
  Outcome outcome;
};

const RealMember kMembers[] = {
    // archive, member as stored, reference file, outcome
    {"zxtune/test_v2.rar", "p0.bin", "p0.bin", kStored},
    {"zxtune/test_v2.rar", "p1.bin", "p1.bin", kPacked},
    {"zxtune/test_v2.rar", "p2.bin", "p2.bin", kPacked},
    {"zxtune/test_v2.rar", "p3.bin", "p3.bin", kPacked},
    {"zxtune/test_v2.rar", "p4.bin", "p4.bin", kPacked},
    {"zxtune/test_v2.rar", "p5.bin", "p5.bin", kPacked},
    {"zxtune/test_v2.rar", "pMM.bin", "pMM.bin", kPacked},
    {"zxtune/test_v2solid5.rar", "p5.bin", "p5.bin", kPacked},
    {"zxtune/test_v2solid5.rar", "p5_solid.bin", "p5_solid.bin", kPacked},
    {"junrar/BoatModernEnglish-audio-text-unpack20.rar", "BoatModernEnglish.wav", "BoatModernEnglish.wav", kPacked},
    {"junrar/BoatModernEnglish-audio-text-unpack20.rar", "LICENSE.txt", "LICENSE.txt", kStored},
    {"junrar/BoatModernEnglish-regular-unpack20.rar", "BoatModernEnglish.wav", "BoatModernEnglish.wav", kPacked},
    {"junrar/BoatModernEnglish-regular-unpack20.rar", "LICENSE.txt", "LICENSE.txt", kStored},
    {"junrar/BoatModernEnglish-regular-unpack15-win.rar", "BoatModernEnglish.wav", nullptr, kFails},
    {"junrar/BoatModernEnglish-regular-unpack15-win.rar", "LICENSE.txt", nullptr, kFails},
    {"junrar/BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV", nullptr, kFails},
    {"junrar/BoatModernEnglish-regular-unpack15-dos.rar", "LICENSE.TXT", nullptr, kFails},
    {"junrar/v20-solid-negative-backref.rar", "f0", nullptr, kFails},
    {"junrar/void-dist-v20.rar", "void20", nullptr, kFails},
    {"sharpcompress/Rar.none.rar", "exe\\test.exe", "exe/test.exe", kStored},
    {"sharpcompress/Rar.none.rar", "jpg\\test.jpg", "jpg/test.jpg", kStored},
    {"sharpcompress/Rar.none.rar", "\xe2\xa5\xe1\xe2.txt", "____.txt", kStored},
    {"sharpcompress/Rar.none.rar", "Empty", nullptr, kEmpty},
    {"sharpcompress/Rar.none.rar", "exe", nullptr, kEmpty},
    {"sharpcompress/Rar.none.rar", "jpg", nullptr, kEmpty},
    {"sharpcompress/Rar2.rar", "exe", nullptr, kEmpty},
    {"sharpcompress/Rar2.rar", "jpg", nullptr, kEmpty},
    {"sharpcompress/Rar2.rar", "exe\\test.exe", "exe/test.exe", kPacked},
    {"sharpcompress/Rar2.rar", "jpg\\test.jpg", "jpg/test.jpg", kPacked},
    {"sharpcompress/Rar2.rar", "????.txt", "____.txt", kPacked},
    {"sharpcompress/Rar15.rar", "EXE", nullptr, kEmpty},
    {"sharpcompress/Rar15.rar", "EXE\\TEST.EXE", nullptr, kFails},
    {"sharpcompress/Rar15.rar", "JPG", nullptr, kEmpty},
    {"sharpcompress/Rar15.rar", "JPG\\TEST.JPG", nullptr, kFails},
    {"sharpcompress/Rar15.rar", "TECT.TXT", nullptr, kFails},
    {"sharpcompress/Rar2.multi.rar", "exe", nullptr, kEmpty},
    {"sharpcompress/Rar2.multi.rar", "jpg", nullptr, kEmpty},
    {"sharpcompress/Rar2.multi.rar", "exe\\test.exe", nullptr, kFails},
    {"rarfile/rar15-comment.rar", "FILE1.TXT", nullptr, kFails},
    {"rarfile/rar15-comment.rar", "FILE2.TXT", "FILE2.TXT", kStored},
    {"rarfile/rar15-comment-lock.rar", "FILE1.TXT", nullptr, kFails},
    {"rarfile/rar15-comment-lock.rar", "FILE2.TXT", "FILE2.TXT", kStored},
    {"rarfile/rar2-unix-owner.rar", "file.txt", "file.txt", kPacked},
    {"rarfile/rar202-comment-nopsw.rar", "FILE1.TXT", "FILE1.TXT", kStored},
    {"rarfile/rar202-comment-nopsw.rar", "FILE2.TXT", "FILE2.TXT", kStored},
    {"rarfile/rar202-comment-psw.rar", "FILE1.TXT", nullptr, kFails},
    {"rarfile/rar202-comment-psw.rar", "FILE2.TXT", nullptr, kFails},
    {"rarfile/rar3-readonly-win.rar", "ro_dir\\ro_file.txt", nullptr, kFails},
    {"rarfile/rar3-readonly-win.rar", "ro_dir", nullptr, kEmpty},
    {"damaged/BoatModernEnglish-audio-text-unpack20.flip14000.rar", "BoatModernEnglish.wav", nullptr, kFails},
    {"damaged/BoatModernEnglish-audio-text-unpack20.flip14000.rar", "LICENSE.txt", "LICENSE.txt", kStored},
    {"damaged/test_v2.trunc37000.rar", "p0.bin", "p0.bin", kStored},
    {"damaged/test_v2.trunc37000.rar", "p1.bin", "p1.bin", kPacked},
    {"damaged/test_v2.trunc37000.rar", "p2.bin", "p2.bin", kPacked},
    {"damaged/test_v2.trunc37000.rar", "p3.bin", nullptr, kFails},
    {"damaged/test_v2solid5.flip4000.rar", "p5.bin", nullptr, kFails},
    {"damaged/test_v2solid5.flip4000.rar", "p5_solid.bin", nullptr, kFails},
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string DataPath(const std::string& relative) { return std::string(TERRAVA_TEST_DATA_DIR) + "/rar/" + relative; }

TEST(RarRealArchives, EveryMemberExtractsOrFailsAsExpected) {
  for (const RealMember& m : kMembers) {
    std::string archive = ReadFile(DataPath(std::string("files/") + m.archive));
    std::vector<uint8_t> copy(archive.begin(), archive.end());
    MemoryArchive view{copy.data(), uint32_t(copy.size()), 0};
    uint8_t* out = nullptr;
    uint32_t size = 0;
    int result = rarReader.ExtractMember(&out, &size, m.member, view);
    std::string got = out ? std::string(reinterpret_cast<char*>(out), size) : std::string();
    delete[] out;
    bool extracts = m.outcome == kStored || m.outcome == kEmpty || (m.outcome == kPacked && kRar20Unpacks);
    SCOPED_TRACE(std::string(m.archive) + " " + m.member);
    if (!extracts) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(out, nullptr);
      EXPECT_EQ(size, 0u);
    } else {
      ASSERT_EQ(result, 1) << rarReader.failure;
      EXPECT_TRUE(got == (m.expected ? ReadFile(DataPath(std::string("expected/") + m.archive + "/" + m.expected))
                                     : std::string()));
    }
  }
}

// The walk that the tool lists with sees exactly the members of the table
// above, and ends the way each archive ends.
TEST(RarRealArchives, BlockWalkFindsEveryMemberInOrder) {
  std::map<std::string, std::vector<std::string>> tableMembers;
  for (const RealMember& m : kMembers) tableMembers[m.archive].push_back(m.member);
  const std::map<std::string, std::string> unusualEnds = {
      {"rarfile/rar2-unix-owner.rar", "sub-block met"},
      {"junrar/v20-solid-negative-backref.rar", "header size below 7"},
  };
  for (const auto& [name, members] : tableMembers) {
    std::string archive = ReadFile(DataPath("files/" + name));
    MemoryArchive view{reinterpret_cast<const uint8_t*>(archive.data()), uint32_t(archive.size()), 0};
    ASSERT_TRUE(rarReader.ReadArchiveStart(view)) << name;
    std::vector<std::string> walked;
    for (; rarReader.FindNextFileHeader(view); view.offset = rarReader.nextBlock)
      walked.push_back(rarReader.memberName);
    std::vector<std::string> sortedTable = members, sortedWalk = walked;
    std::sort(sortedTable.begin(), sortedTable.end());
    std::sort(sortedWalk.begin(), sortedWalk.end());
    EXPECT_EQ(sortedWalk, sortedTable) << name;
    auto end = unusualEnds.find(name);
    EXPECT_STREQ(rarReader.failure, end == unusualEnds.end() ? "no further block header" : end->second.c_str())
        << name;
  }
}

}  // namespace
