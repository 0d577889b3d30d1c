// TGA decoder: hand-made files for each rule, the Truevision conformance
// suite and other real samples against their reference decodings, and files
// ImageMagick writes at test time in every supported type and depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/tga_image.h"
#include "image/tga_texture.h"
#include "platform/native_platform.h"
#include "unit/image/image_test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct TgaHeader {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 2;
  uint16_t colorMapLength = 0;
  uint8_t colorMapEntrySize = 0;
  uint16_t width = 1;
  uint16_t height = 1;
  uint8_t depth = 32;
  uint8_t descriptor = 0;
};

Bytes MakeTga(const TgaHeader& h, const Bytes& rest) {
  Bytes b = {h.idLength, h.colorMapType, h.imageType, 0, 0, uint8_t(h.colorMapLength), uint8_t(h.colorMapLength >> 8),
             h.colorMapEntrySize, 0, 0, 0, 0, uint8_t(h.width), uint8_t(h.width >> 8), uint8_t(h.height),
             uint8_t(h.height >> 8), h.depth, h.descriptor};
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

TgaHeader Header(uint8_t type, uint8_t depth, uint16_t width = 1, uint16_t height = 1) {
  TgaHeader h;
  h.imageType = type;
  h.depth = depth;
  h.width = width;
  h.height = height;
  return h;
}

TgaHeader Palette24(uint8_t type, uint16_t entries, uint16_t width) {
  TgaHeader h = Header(type, 8, width);
  h.colorMapType = 1;
  h.colorMapLength = entries;
  h.colorMapEntrySize = 24;
  return h;
}

class TgaDecode : public ::testing::Test {
 protected:
  void SetUp() override { native_platform::ResetAll(); }
  void TearDown() override {
    FreeTgaImage(&image);
    native_platform::ResetAll();
  }
  bool Decode(const Bytes& file) { return DecodeTgaImage(file.data(), uint32_t(file.size()), &image); }
  Bytes Pixels() const {
    return Bytes(image.pixels, image.pixels + size_t(image.width) * image.height * TgaBytesPerPixel(image));
  }
  TgaImage image;
};

struct DecodeCase {
  const char* what;
  Bytes file;
  int depthAfter;  // bits per decoded pixel
  Bytes pixels;
};

TEST_F(TgaDecode, DecodesEveryTypeAndDepthByTheRules) {
  TgaHeader withId = Header(2, 32);
  withId.idLength = 5;
  const DecodeCase cases[] = {
      // what, file, depth after decoding, decoded bytes
      {"32-bit raw exchanges bytes 0 and 2", MakeTga(Header(2, 32), {10, 20, 30, 40}), 32, {30, 20, 10, 40}},
      {"32-bit run gives the same colours as raw", MakeTga(Header(10, 32, 4), {0x83, 10, 20, 30, 40}), 32,
       {30, 20, 10, 40, 30, 20, 10, 40, 30, 20, 10, 40, 30, 20, 10, 40}},
      {"32-bit literal packet", MakeTga(Header(10, 32, 2), {0x01, 1, 2, 3, 4, 5, 6, 7, 8}), 32,
       {3, 2, 1, 4, 7, 6, 5, 8}},
      {"16-bit 0x7FFF", MakeTga(Header(2, 16), {0xFF, 0x7F}), 24, {248, 248, 248}},
      {"16-bit top bit dropped, blue first", MakeTga(Header(2, 16, 2), {0x1F, 0x80, 0x00, 0x7C}), 24,
       {248, 0, 0, 0, 0, 248}},
      {"16-bit run", MakeTga(Header(10, 16, 3), {0x82, 0xE0, 0x03}), 24, {0, 248, 0, 0, 248, 0, 0, 248, 0}},
      {"24-bit raw keeps file order", MakeTga(Header(2, 24), {1, 2, 3}), 24, {1, 2, 3}},
      {"24-bit run then literal", MakeTga(Header(10, 24, 3), {0x81, 1, 2, 3, 0x00, 4, 5, 6}), 24,
       {1, 2, 3, 1, 2, 3, 4, 5, 6}},
      {"grey raw", MakeTga(Header(3, 8, 2), {7, 9}), 8, {7, 9}},
      {"grey run", MakeTga(Header(11, 8, 3), {0x82, 50}), 8, {50, 50, 50}},
      {"palette indices", MakeTga(Palette24(1, 2, 3), {1, 2, 3, 4, 5, 6, 1, 0, 1}), 24, {4, 5, 6, 1, 2, 3, 4, 5, 6}},
      {"palette run", MakeTga(Palette24(9, 2, 2), {1, 2, 3, 4, 5, 6, 0x81, 1}), 24, {4, 5, 6, 4, 5, 6}},
      {"palette index past the palette is black", MakeTga(Palette24(1, 1, 2), {1, 2, 3, 0, 200}), 24,
       {1, 2, 3, 0, 0, 0}},
      {"identification field skipped", MakeTga(withId, {'n', 'a', 'm', 'e', '!', 10, 20, 30, 40}), 32,
       {30, 20, 10, 40}},
      {"run cut at the image end", MakeTga(Header(11, 8, 2), {0xFF, 9, 0x80, 1}), 8, {9, 9}},
      {"truncated raw data leaves zero", MakeTga(Header(2, 24, 2), {1, 2, 3, 4}), 24, {1, 2, 3, 4, 0, 0}},
      {"truncated run data leaves zero", MakeTga(Header(11, 8, 4), {0x81, 5}), 8, {5, 5, 0, 0}},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Decode(c.file)) << image.failure;
    EXPECT_EQ(image.pixelDepth, c.depthAfter);
    EXPECT_EQ(Pixels(), c.pixels);
    FreeTgaImage(&image);
  }
  EXPECT_TRUE(native_platform::Messages().empty());
}

struct RejectCase {
  const char* what;
  Bytes file;
  bool unknownDepth;  // failure is kTgaUnsupportedDepth
};

TgaHeader WithDepth(TgaHeader h, uint8_t depth) {
  h.depth = depth;
  return h;
}

TgaHeader WithEntrySize(TgaHeader h, uint8_t bits) {
  h.colorMapEntrySize = bits;
  return h;
}

TEST_F(TgaDecode, RejectsWhatItCannotDecode) {
  TgaHeader noMap = Palette24(1, 2, 1);
  noMap.colorMapType = 0;
  const RejectCase cases[] = {
      // what, file, whether the depth is the reason
      {"empty file", {}, false},
      {"header cut short", Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0}, false},
      {"type 0", MakeTga(Header(0, 32), {}), false},
      {"type 4", MakeTga(Header(4, 32), {}), false},
      {"type 12", MakeTga(Header(12, 32), {}), false},
      {"16-bit palette", MakeTga(WithEntrySize(Palette24(1, 2, 1), 16), {}), false},
      {"32-bit palette, run-length", MakeTga(WithEntrySize(Palette24(9, 2, 1), 32), {}), false},
      {"colour-mapped without map", MakeTga(noMap, {}), false},
      {"depth 15", MakeTga(Header(2, 15), {}), true},
      {"depth 0 of a grey image", MakeTga(Header(3, 0), {}), true},
      {"depth 15 of an unknown type", MakeTga(Header(5, 15), {}), false},
      {"true-colour at depth 8", MakeTga(Header(2, 8), {1}), false},
      {"grey at depth 16", MakeTga(Header(3, 16), {1, 2}), false},
      {"palette at depth 16", MakeTga(WithDepth(Palette24(1, 1, 1), 16), {1, 2, 3}), false},
      {"width 0", MakeTga(Header(2, 32, 0, 1), {}), false},
      {"side above the bound", MakeTga(Header(2, 32, 16385, 1), {}), false},
      {"65535 x 65535 x 4 bytes", MakeTga(Header(10, 32, 65535, 65535), {0xFF, 1, 2, 3, 4}), false},
  };
  for (const RejectCase& c : cases) {
    SCOPED_TRACE(c.what);
    native_platform::ResetAll();
    EXPECT_FALSE(Decode(c.file));
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_NE(image.failure, nullptr);
    EXPECT_EQ(image.failure == kTgaUnsupportedDepth, c.unknownDepth);
    EXPECT_TRUE(native_platform::Messages().empty());  // the decoder itself never shows one
  }
}

// Of all TGA failures, only an unknown depth is shown to the user, once, by
// the texture loader.
TEST_F(TgaDecode, TextureLoaderShowsTheUnknownDepthMessage) {
  const Bytes depth15 = MakeTga(Header(2, 15), {});
  const Bytes type4 = MakeTga(Header(4, 32), {});
  native_platform::ResetAll();
  native_platform::AddResource(kDataResourceType, 121, depth15.data(), uint32_t(depth15.size()));
  native_platform::AddResource(kDataResourceType, 122, type4.data(), uint32_t(type4.size()));
  EXPECT_EQ(LoadTgaResourceTexture("unused", 122), 0u);
  EXPECT_TRUE(native_platform::Messages().empty());
  EXPECT_EQ(LoadTgaResourceTexture("unused", 121), 0u);
  ASSERT_EQ(native_platform::Messages().size(), 1u);
  EXPECT_EQ(native_platform::Messages()[0].text, "Unsupported image depth.");
  EXPECT_EQ(native_platform::Messages()[0].caption, "TGA");
}

TEST_F(TgaDecode, ExpandsGreyAndColourResultsToRgba) {
  ASSERT_TRUE(Decode(MakeTga(Header(3, 8, 2), {7, 200})));
  ASSERT_TRUE(ExpandTgaToRgba(&image));
  EXPECT_EQ(Pixels(), (Bytes{7, 7, 7, 255, 200, 200, 200, 255}));
  FreeTgaImage(&image);
  ASSERT_TRUE(Decode(MakeTga(Header(2, 24), {1, 2, 3})));
  ASSERT_TRUE(ExpandTgaToRgba(&image));
  EXPECT_EQ(Pixels(), (Bytes{3, 2, 1, 255}));
  FreeTgaImage(&image);
  ASSERT_TRUE(Decode(MakeTga(Header(2, 32), {1, 2, 3, 4})));
  ASSERT_TRUE(ExpandTgaToRgba(&image));
  EXPECT_EQ(Pixels(), (Bytes{3, 2, 1, 4}));
}

TEST_F(TgaDecode, LoadsFromResourceAndFailsOnMissingMember) {
  AddResourceFromTestFile(120, "render/quadrants32.tga");
  ASSERT_TRUE(LoadTgaResourceImage(120, &image));
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.pixelDepth, 32);
  FreeTgaImage(&image);
  EXPECT_FALSE(LoadTgaImage("textures\\none.tga", &image));
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_FALSE(LoadTgaResourceImage(999, &image));  // no such resource: empty file
  EXPECT_TRUE(native_platform::Messages().empty());
}

// [Real files]

// Compares a decoded image with a reference picture (top row first, RGBA).
// Rows: decoding keeps file order, so for a bottom-left file (descriptor bit
// 0x20 clear) decoded row k is reference row height - 1 - k, and for a
// top-left file row k is reference row k. Channels: grey is the reference's
// red; 3-byte results are blue, green, red; 4-byte results red, green, blue,
// alpha. 16-bit files hold 5 bits per channel, which the decoder shifts left
// by 3; they are compared as 5-bit values, and their alpha is not compared.
void ExpectMatchesReference(const TgaImage& image, int fileDepth, const Picture& ref) {
  ASSERT_EQ(image.width, ref.width);
  ASSERT_EQ(image.height, ref.height);
  const bool topLeft = image.descriptor & 0x20;
  const int bpp = TgaBytesPerPixel(image);
  int mismatches = 0;
  for (int k = 0; k < image.height; ++k) {
    const uint8_t* row = image.pixels + size_t(k) * image.width * bpp;
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* got = row + size_t(x) * bpp;
      const uint8_t* want = ref.At(x, topLeft ? k : image.height - 1 - k);
      int actual[4] = {got[0], got[0], got[0], 255};
      if (bpp == 3) actual[0] = got[2], actual[1] = got[1], actual[2] = got[0];
      if (bpp == 4) actual[0] = got[0], actual[1] = got[1], actual[2] = got[2], actual[3] = got[3];
      int expect[4] = {want[0], want[1], want[2], bpp == 4 ? want[3] : 255};
      if (fileDepth == 16)
        for (int c = 0; c < 3; ++c) actual[c] >>= 3, expect[c] = (expect[c] * 31 + 127) / 255;
      if (std::equal(actual, actual + 4, expect)) continue;
      if (++mismatches <= 3)
        ADD_FAILURE() << "pixel " << x << "," << k << ": got " << actual[0] << " " << actual[1] << " " << actual[2]
                      << " " << actual[3] << ", want " << expect[0] << " " << expect[1] << " " << expect[2] << " "
                      << expect[3];
    }
  }
  EXPECT_EQ(mismatches, 0);
}

void ExpectFileDecodesAsReference(const std::string& tga, const Picture& ref) {
  const Bytes file = ReadWholeFile(tga);
  ASSERT_GT(file.size(), 18u) << tga;
  TgaImage image;
  ASSERT_TRUE(DecodeTgaImage(file.data(), uint32_t(file.size()), &image)) << image.failure;
  ExpectMatchesReference(image, file[16], ref);
  FreeTgaImage(&image);
}

TEST(TgaRealFiles, DecodeAsTheReferenceDecodings) {
  const char* files[] = {
      // Truevision conformance suite: 128 x 128, bottom-left
      "utc16", "utc24", "utc32", "ubw8", "cbw8", "ctc24",
      // Truevision samples: run-length 16 and 32 bits, top-left 32 bits, raw 16 bits
      "ctc16", "ctc32", "flag_t32", "flag_b16",
      // Other encoders: 24-bit palettes, bottom-left and top-left
      "rgb8", "rgb24_top_left_colormap",
  };
  for (const char* name : files) {
    SCOPED_TRACE(name);
    Picture ref;
    ASSERT_TRUE(LoadPngRgba(ImageDataPath(std::string("tga/") + name + ".ref.png"), &ref));
    ExpectFileDecodesAsReference(ImageDataPath(std::string("tga/") + name + ".tga"), ref);
  }
}

TEST(TgaRealFiles, RejectsUnsupportedKinds) {
  struct {
    const char* name;
    bool unknownDepth;
  } const cases[] = {
      // file, whether the depth is the reason
      {"ucm8", false},                         // 16-bit palette
      {"ccm8", false},                         // 16-bit palette, run-length
      {"rgb32_top_left_rle_colormap", false},  // 32-bit palette
      {"monochrome16_top_left", false},        // grey at 16 bits
      {"rgb15rle", true},                      // depth 15
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    native_platform::ResetAll();
    const Bytes file = ReadWholeFile(ImageDataPath(std::string("tga/") + c.name + ".tga"));
    ASSERT_FALSE(file.empty());
    TgaImage image;
    EXPECT_FALSE(DecodeTgaImage(file.data(), uint32_t(file.size()), &image));
    EXPECT_EQ(image.failure == kTgaUnsupportedDepth, c.unknownDepth);
  }
}

// ImageMagick writes the rows of a TGA top first while its header says
// bottom-left; -flip on writing makes the file true to its header. Its own
// reading needs -auto-orient to honour the header.
TEST(TgaImageMagickFiles, DecodeAsImageMagickReadsThem) {
  struct {
    const char* options;
    uint8_t type;
    uint8_t depth;
  } const cases[] = {
      // convert options (besides -flip), expected image type and depth
      {"-alpha off -compress None", 2, 24},
      {"-alpha off -compress RLE", 10, 24},
      {"-compress None", 2, 32},
      {"-compress RLE", 10, 32},
      {"-alpha off -depth 5 -compress None", 2, 16},
      {"-alpha off -depth 5 -compress RLE", 10, 16},
      {"-alpha off -type Grayscale -compress None", 3, 8},
      {"-alpha off -type Grayscale -compress RLE", 11, 8},
      {"-alpha off -type Palette -compress None", 1, 8},
      {"-alpha off -type Palette -compress RLE", 9, 8},
  };
  TempDir dir;
  const std::string source = dir.Path("source.png");
  ASSERT_EQ(RunCommand("convert rose: -alpha set -channel A -fx '0.2+0.8*i/w' +channel " + Quote(source)).status, 0)
      << "ImageMagick's convert is needed";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const std::string tga = dir.Path("made.tga");
    ASSERT_EQ(RunCommand("convert " + Quote(source) + " -flip " + c.options + " " + Quote(tga)).status, 0);
    const Bytes file = ReadWholeFile(tga);
    ASSERT_GT(file.size(), 18u);
    ASSERT_EQ(file[2], c.type);
    ASSERT_EQ(file[16], c.depth);
    ASSERT_EQ(file[17] & 0x20, 0) << "expected a bottom-left file";
    CommandResult rgba = RunCommand("convert " + Quote(tga) + " -auto-orient -depth 8 rgba:-");
    ASSERT_EQ(rgba.status, 0);
    Picture ref;
    ref.width = file[12] | (file[13] << 8);
    ref.height = file[14] | (file[15] << 8);
    ref.channels = 4;
    ref.pixels = rgba.out;
    ASSERT_EQ(ref.pixels.size(), size_t(ref.width) * ref.height * 4);
    ExpectFileDecodesAsReference(tga, ref);
  }
}

}  // namespace
