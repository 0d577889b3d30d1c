// The Vorbis header guard: oggenc's streams pass (also with a comment
// header spanning pages), and each header field that stb_vorbis would trust
// is rejected when it points beyond its packet or past the codebook limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/library/sound_decoder.h"
#include "audio/library/vorbis_header_guard.h"
#include "unit/audio/ogg_file.h"

namespace {

size_t Find(const std::vector<uint8_t>& bytes, const std::string& text) {
  return size_t(std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) - bytes.begin());
}

class VorbisHeaderGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    ToneSpec toneSpec;
    ogg = EncodeOgg(toneSpec, "guard");
    ASSERT_FALSE(ogg.empty());
    comment = Find(ogg, std::string("\x03vorbis", 7));
    setup = Find(ogg, std::string("\x05vorbis", 7));
    ASSERT_LT(setup, ogg.size());
  }
  bool Passes(const std::vector<uint8_t>& bytes) {
    uint32_t workspace = 0;
    return CheckVorbisHeaders(bytes.data(), uint32_t(bytes.size()), &workspace);
  }

  std::vector<uint8_t> ogg;
  size_t comment = 0;  // offset of the comment packet
  size_t setup = 0;    // offset of the setup packet
};

TEST_F(VorbisHeaderGuard, PassesOggencStreamsAndMeasuresTheirComments) {
  uint32_t workspace = 0;
  ASSERT_TRUE(CheckVorbisHeaders(ogg.data(), uint32_t(ogg.size()), &workspace));
  EXPECT_GT(workspace, 8u);     // oggenc writes its vendor string
  EXPECT_LT(workspace, 1024u);  // and one ENCODER comment
}

TEST_F(VorbisHeaderGuard, ACommentHeaderSpanningPagesPassesAndDecodes) {
  ToneSpec toneSpec;
  std::vector<uint8_t> big = EncodeOgg(toneSpec, "big-comment", "-c COMMENT=" + std::string(60000, 'x'));
  ASSERT_FALSE(big.empty());
  uint32_t workspace = 0;
  ASSERT_TRUE(CheckVorbisHeaders(big.data(), uint32_t(big.size()), &workspace));
  EXPECT_GT(workspace, 60000u);
  PcmSound sound;
  EXPECT_EQ(DecodeSound(big.data(), uint32_t(big.size()), &sound), kAudioOk);
  EXPECT_EQ(sound.frameCount, toneSpec.frames);
}

TEST_F(VorbisHeaderGuard, RejectsLengthsAndCountsThatStbVorbisWouldTrust) {
  const uint32_t vendorLength = ogg[comment + 7] | ogg[comment + 8] << 8;
  const size_t count = comment + 11 + vendorLength;  // offset of the comment count
  const size_t book = setup + 8;                     // first codebook: "BCV", dimensions, entries
  struct Case {
    const char* what;
    size_t offset;
    uint32_t value;
    int width;  // bytes written, little-endian
  } cases[] = {
      {"vendor length past the packet", comment + 7, 0xFFFFFFFF, 4},
      {"vendor length one past the packet", comment + 7, 0x00010000, 4},
      {"comment count of 2^31 - 1", count, 0x7FFFFFFF, 4},
      {"comment length past the packet", count + 4, 0x00FFFFFF, 4},
      {"comment packet type", comment, 4, 1},
      {"setup packet type", setup, 1, 1},
      {"codebook sync", book, 'X', 1},
      {"codebook of 0 dimensions", book + 3, 0, 2},
      {"codebook of 65535 dimensions x 32 entries", book + 3, 0x20FFFF, 5},
      {"codebook of 2^24 - 1 entries", book + 5, 0xFFFFFF, 3},
      {"first page with two segments", 26, 2, 1},
      {"second page not found", 58, 'X', 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = ogg;
    for (int i = 0; i < c.width; ++i) bytes[c.offset + i] = uint8_t(uint64_t(c.value) >> (8 * i));
    EXPECT_FALSE(Passes(bytes)) << c.what;
    PcmSound sound;
    EXPECT_EQ(DecodeSound(bytes.data(), uint32_t(bytes.size()), &sound), kAudioErrorFileFormat) << c.what;
  }
}

TEST_F(VorbisHeaderGuard, EveryCutThroughTheHeadersIsRejected) {
  for (size_t length = 0; length < setup + 200; length += 7) {
    std::vector<uint8_t> cut(ogg.begin(), ogg.begin() + length);
    EXPECT_FALSE(Passes(cut)) << length;
  }
}

}  // namespace
