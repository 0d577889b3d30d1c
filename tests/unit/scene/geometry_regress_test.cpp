// The damaged geometry files of the fuzz corpus, each named for its fault,
// and the exact reason the decoder gives for rejecting it.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scene_test_util.h"

TEST(GeometryRegressions, EachDamagedFileIsRejectedForItsFault) {
  struct Case {
    const char* file;
    const char* failure;
  };
  // corpus file, rejection reason
  const Case cases[] = {
      {"regress-header-cut.dat", "file shorter than its header"},
      {"regress-body-shorter-than-counts.dat", "file shorter than its counts promise"},
      {"regress-count-beyond-limit.dat", "a count exceeds the record limit"},
      {"regress-vertex-index-out-of-range.dat", "vertex index out of range"},
      {"regress-texcoord-index-out-of-range.dat", "texture coordinate index out of range"},
  };
  for (const Case& c : cases) {
    std::ifstream in(std::string(TERRAVA_SOURCE_DIR) + "/fuzz/corpus/fuzz_geometry/" + c.file, std::ios::binary);
    ASSERT_TRUE(in) << c.file;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GeometryData g;
    const char* failure = nullptr;
    EXPECT_FALSE(DecodeGeometry(bytes.data(), bytes.size(), false, &g, &failure)) << c.file;
    EXPECT_STREQ(c.failure, failure) << c.file;
  }
}
