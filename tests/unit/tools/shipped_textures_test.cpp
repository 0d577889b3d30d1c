// The committed pictures meet the loaders' format rules: every JPEG is a
// baseline (SOF0) picture of three 8-bit components with a JFIF header and
// no EXIF, ICC, comment or restart segments; every TGA is uncompressed true
// colour with alpha (type 2, 32 bits, descriptor 0x08, no ID, no colour
// map); archive textures have power-of-two sides from 4 to 1024.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "shipped_files.h"

namespace {

struct JpegFacts {
  std::string fault;  // empty when the marker sequence is acceptable
  int width = 0, height = 0, components = 0;
};

uint32_t BigEndian16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at]) << 8 | b[at + 1]; }
uint32_t LittleEndian16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at + 1]) << 8 | b[at]; }

bool IsJfifHeader(const std::vector<uint8_t>& b, size_t at, size_t length) {
  static const uint8_t kJfif[5] = {'J', 'F', 'I', 'F', 0};
  return length >= 7 && std::equal(kJfif, kJfif + 5, b.begin() + long(at) + 4);
}

// Walks the segments up to the start of scan.
JpegFacts InspectJpeg(const std::vector<uint8_t>& b) {
  JpegFacts facts;
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return {"no SOI"};
  size_t at = 2;
  bool jfif = false, frame = false;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return {"segment does not start with 0xFF"};
    uint8_t marker = b[at + 1];
    size_t length = BigEndian16(b, at + 2);
    if (length < 2 || at + 2 + length > b.size()) return {"segment runs past the file"};
    if (marker == 0xE0) jfif = jfif || IsJfifHeader(b, at, length);
    if (marker >= 0xE1 && marker <= 0xEF) return {"APPn segment (EXIF, ICC or other metadata)"};
    if (marker == 0xFE) return {"comment segment"};
    if (marker == 0xDD) return {"restart interval"};
    if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return {"not a baseline frame"};
    if (marker == 0xC0) {
      if (b[at + 4] != 8) return {"sample precision is not 8 bits"};
      facts.height = int(BigEndian16(b, at + 5));
      facts.width = int(BigEndian16(b, at + 7));
      facts.components = b[at + 9];
      frame = true;
    }
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  if (!jfif) facts.fault = "no JFIF header";
  if (!frame) facts.fault = "no SOF0 frame before the scan";
  // Restart markers inside the entropy-coded data.
  for (size_t i = at; i + 1 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] >= 0xD0 && b[i + 1] <= 0xD7) facts.fault = "restart marker in the scan";
  return facts;
}

bool TextureSide(int side) { return side >= 4 && side <= 1024 && (side & (side - 1)) == 0; }

struct TgaCase {
  const char* path;   // relative to the source tree
  int width, height;  // pixels
};

TEST(ShippedTextures, JpegsAreBaselineThreeComponentPicturesWithoutMetadata) {
  std::vector<std::string> paths = ShippedFilesWithExtension("resources/data/textures", ".jpg");
  paths.push_back("resources/loader/load.jpg");
  ASSERT_GE(paths.size(), 17u);
  for (const std::string& path : paths) {
    std::vector<uint8_t> bytes = ReadShippedFile(path);
    JpegFacts facts = InspectJpeg(bytes);
    EXPECT_EQ(facts.fault, "") << path;
    EXPECT_EQ(facts.components, 3) << path;
    EXPECT_TRUE(TextureSide(facts.width) && TextureSide(facts.height))
        << path << ": " << facts.width << " x " << facts.height;
  }
}

TEST(ShippedTextures, TgasAreUncompressed32BitWithAlphaAndNoExtras) {
  // path, width, height
  const TgaCase cases[] = {
      {"resources/data/textures/mater.tga", 1024, 512}, {"resources/data/textures/clouds.tga", 1024, 512},
      {"resources/loader/4loader_rd.tga", 256, 128},    {"resources/loader/4loader_ld.tga", 1, 1},
      {"resources/loader/4loader_lu.tga", 1, 1},        {"resources/loader/4loader_ru.tga", 1, 1},
  };
  for (const TgaCase& c : cases) {
    std::vector<uint8_t> b = ReadShippedFile(c.path);
    ASSERT_GE(b.size(), 18u) << c.path;
    EXPECT_EQ(b[0], 0) << c.path << ": ID field";
    EXPECT_EQ(b[1], 0) << c.path << ": colour map";
    EXPECT_EQ(b[2], 2) << c.path << ": image type";
    EXPECT_EQ(b[16], 32) << c.path << ": bits per pixel";
    EXPECT_EQ(b[17], 0x08) << c.path << ": descriptor";
    int width = int(LittleEndian16(b, 12)), height = int(LittleEndian16(b, 14));
    EXPECT_EQ(width, c.width) << c.path;
    EXPECT_EQ(height, c.height) << c.path;
    EXPECT_EQ(b.size(), 18u + size_t(width) * height * 4) << c.path << ": pixel data";
  }
}

TEST(ShippedTextures, LoaderCornersBesidesTheLogoAreTransparentWhitePixels) {
  for (const char* path :
       {"resources/loader/4loader_ld.tga", "resources/loader/4loader_lu.tga", "resources/loader/4loader_ru.tga"}) {
    std::vector<uint8_t> b = ReadShippedFile(path);
    ASSERT_EQ(b.size(), 22u) << path;
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 18, b.end()), (std::vector<uint8_t>{255, 255, 255, 0})) << path;
  }
}

}  // namespace
