// Round trips through `terrava-tool archive pack --method rar20` and back:
// every member of every archive must come out byte-identical through the
// saver's RarReader and through unar (The Unarchiver), an independent
// decoder of the method, which proves the packed format is the real one.
// The members cover text, random bytes, long runs, interleaved PCM for the
// multimedia mode with 1 to 4 channels, a member larger than the 1 MiB
// window, empty and one-byte members, members in folders, and solid
// archives of all of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "archive/rar_reader.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 24;
  }
};

Bytes Text(uint32_t size, uint32_t seed) {
  const char* words[] = {"earth ", "cloud ", "ocean ", "light ", "orbit ", "camera ", "flare ", "sphere\n", "the "};
  Random r{seed};
  Bytes b;
  while (b.size() < size) {
    const char* w = words[r.Next() % 9];
    b.insert(b.end(), w, w + std::char_traits<char>::length(w));
  }
  b.resize(size);
  return b;
}

Bytes Noise(uint32_t size, uint32_t seed) {
  Random r{seed};
  Bytes b(size);
  for (uint8_t& v : b) v = uint8_t(r.Next());
  return b;
}

// channels interleaved byte signals, each a slow tone with a little noise:
// what the multimedia mode's predictor is made for.
Bytes Interleaved(uint32_t channels, uint32_t frames, uint32_t seed) {
  Random r{seed};
  Bytes b;
  for (uint32_t i = 0; i < frames; ++i)
    for (uint32_t c = 0; c < channels; ++c)
      b.push_back(uint8_t(128 + 90 * std::sin(i * 0.01 * (c + 1)) + int(r.Next() % 7) - 3));
  return b;
}

// 16-bit little-endian stereo: four byte channels.
Bytes Stereo16(uint32_t frames, uint32_t seed) {
  Random r{seed};
  Bytes b;
  for (uint32_t i = 0; i < frames; ++i) {
    for (double v : {7000 * std::sin(i * 0.013), 5000 * std::sin(i * 0.0071)}) {
      int16_t s = int16_t(v + int(r.Next() % 41) - 20);
      b.push_back(uint8_t(s));
      b.push_back(uint8_t(uint16_t(s) >> 8));
    }
  }
  return b;
}

const std::map<std::string, Bytes>& Members() {
  static const std::map<std::string, Bytes> members = [] {
    std::map<std::string, Bytes> m;
    m["text.txt"] = Text(300000, 1);
    m["random.bin"] = Noise(60000, 2);
    m["random2.bin"] = m["random.bin"];  // in a solid archive, all found in the member before
    m["runs.bin"] = Bytes(90000, 'A');
    m["runs.bin"].insert(m["runs.bin"].end(), 50000, 0);
    for (uint32_t c = 1; c <= 4; ++c) m["pcm8-" + std::to_string(c) + "ch.raw"] = Interleaved(c, 40000, 10 + c);
    m["pcm16-stereo.raw"] = Stereo16(40000, 20);
    Bytes large = Text(700000, 3);
    Bytes noise = Noise(300000, 4);
    large.insert(large.end(), noise.begin(), noise.end());
    large.insert(large.end(), large.begin(), large.begin() + 400000);  // repeats from beyond 1 MiB back
    m["larger-than-window.bin"] = large;
    m["empty.txt"] = Bytes();
    m["one.txt"] = Bytes(1, 'x');
    m["nested/deeper/text.txt"] = Text(20000, 5);  // folder entries between members
    m["nested/pcm8.raw"] = Interleaved(2, 20000, 6);
    return m;
  }();
  return members;
}

bool ReadFile(const fs::path& path, Bytes* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool RunCommand(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Method byte and packed size of every member, from the archive's headers.
std::map<std::string, std::pair<uint8_t, uint32_t>> Headers(const Bytes& archive) {
  std::map<std::string, std::pair<uint8_t, uint32_t>> headers;
  MemoryArchive view{archive.data(), uint32_t(archive.size()), 0};
  if (!rarReader.ReadArchiveStart(view)) return headers;
  for (; rarReader.FindNextFileHeader(view); view.offset = rarReader.nextBlock)
    headers[rarReader.memberName] = {rarReader.fileHeader.method, rarReader.fileHeader.packSize};
  return headers;
}

class Rar20RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    work = fs::path(TERRAVA_BINARY_DIR) / "rar20-round-trip";
    fs::remove_all(work);
    fs::create_directories(work / "tree");
    for (const auto& m : Members()) {
      fs::create_directories((work / "tree" / m.first).parent_path());
      WriteFile(work / "tree" / m.first, m.second);
    }
    tool = fs::path(TERRAVA_BINARY_DIR) / "tools" / "terrava-tool";
  }
  void TearDown() override { fs::remove_all(work); }

  // Packs the tree with options; checks every member through RarReader and
  // unar; returns the archive's headers.
  std::map<std::string, std::pair<uint8_t, uint32_t>> RoundTrip(const std::string& options, const char* name) {
    fs::path archivePath = work / (std::string(name) + ".rar");
    EXPECT_TRUE(RunCommand(tool.string() + " archive pack --method rar20 " + options + " " + (work / "tree").string() +
                    " " + archivePath.string()))
        << options;
    Bytes archive;
    EXPECT_TRUE(ReadFile(archivePath, &archive));
    for (const auto& m : Members()) {
      MemoryArchive view{archive.data(), uint32_t(archive.size()), 0};
      uint8_t* out = nullptr;
      uint32_t size = 0;
      EXPECT_EQ(rarReader.ExtractMember(&out, &size, m.first.c_str(), view), 1) << options << " " << m.first;
      EXPECT_TRUE(Bytes(out, out + size) == m.second) << options << " " << m.first;
      delete[] out;
    }
    fs::path unpacked = work / (std::string(name) + "-unar");
    EXPECT_TRUE(RunCommand("unar -q -o " + unpacked.string() + " -D " + archivePath.string())) << options;
    for (const auto& m : Members()) {
      Bytes got;
      EXPECT_TRUE(ReadFile(unpacked / m.first, &got) && got == m.second) << options << " unar " << m.first;
    }
    return Headers(archive);
  }

  fs::path work, tool;
};

TEST_F(Rar20RoundTrip, EveryMemberComesBackThroughOurReaderAndUnar) {
  if (!RunCommand("command -v unar")) GTEST_SKIP() << "unar is not installed (scripts/setup.sh installs it)";
  auto plain = RoundTrip("", "plain");
  auto noMultimedia = RoundTrip("--multimedia off", "lz-only");
  auto solid = RoundTrip("--solid", "solid");
  RoundTrip("--solid --multimedia off", "solid-lz-only");

  // Packed where it pays, stored where it does not (unless solid).
  EXPECT_EQ(plain["text.txt"].first, 0x33);
  EXPECT_LT(plain["text.txt"].second, Members().at("text.txt").size() / 3);
  EXPECT_EQ(plain["random.bin"].first, 0x30);
  EXPECT_EQ(plain["empty.txt"].first, 0x30);
  EXPECT_EQ(solid["random.bin"].first, 0x33);
  // Multimedia blocks make every kind of PCM smaller than LZ alone can.
  for (const char* pcm : {"pcm8-1ch.raw", "pcm8-2ch.raw", "pcm8-3ch.raw", "pcm8-4ch.raw", "pcm16-stereo.raw"})
    EXPECT_LT(plain[pcm].second * 10, noMultimedia[pcm].second * 9) << pcm;
  // A solid archive finds a member's bytes in the member before it.
  EXPECT_EQ(plain["random2.bin"].first, 0x30);
  EXPECT_LT(solid["random2.bin"].second, 1000u);
}

}  // namespace
