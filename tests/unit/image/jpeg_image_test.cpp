// JPEG decoding against djpeg, the reference decoder of the same library:
// libjpeg-turbo's own test images, greyscale and CMYK files made at test time,
// truncated data and hostile headers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/jpeg_image.h"
#include "platform/native_platform.h"
#include "unit/image/image_test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string JpegPath(const std::string& name) { return ImageDataPath("jpeg/" + name); }

// djpeg's decoding of a file, as PPM or (for a greyscale file) PGM.
Picture Djpeg(const std::string& path) {
  Picture picture;
  EXPECT_TRUE(ParsePnm(RunCommand("djpeg " + Quote(path)).out, &picture)) << "djpeg could not decode " << path;
  return picture;
}

// The decoder places the top scanline in the last row; every pixel is RGB
// (a grey reference sample g stands for g, g, g).
void ExpectSameAsDjpeg(const JpegImage& image, const Picture& ref) {
  ASSERT_EQ(image.width, ref.width);
  ASSERT_EQ(image.height, ref.height);
  ASSERT_EQ(image.rowBytes, image.width * 3);
  int mismatches = 0;
  for (int y = 0; y < ref.height; ++y)
    for (int x = 0; x < ref.width; ++x) {
      const uint8_t* got = image.pixels + size_t(image.height - 1 - y) * image.rowBytes + x * 3;
      const uint8_t* want = ref.At(x, y);
      for (int c = 0; c < 3; ++c)
        if (got[c] != want[ref.channels == 1 ? 0 : c] && ++mismatches <= 3)
          ADD_FAILURE() << "pixel " << x << "," << y << " channel " << c;
    }
  EXPECT_EQ(mismatches, 0);
}

bool Decode(const Bytes& file, JpegImage* image) {
  return DecodeJpegImage(file.data(), uint32_t(file.size()), image);
}

TEST(JpegImage, DecodesTestImagesLikeDjpeg) {
  // baseline Huffman (islow and int DCT), arithmetic-coded
  for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg"}) {
    SCOPED_TRACE(name);
    JpegImage image;
    ASSERT_TRUE(Decode(ReadWholeFile(JpegPath(name)), &image)) << image.failure;
    EXPECT_EQ(image.width, 227);
    EXPECT_EQ(image.height, 149);
    ExpectSameAsDjpeg(image, Djpeg(JpegPath(name)));
    FreeJpegImage(&image);
  }
}

// Progressive scans, restart markers, and a restart interval with damaged
// data (libjpeg's own resynchronisation), made from testorig.jpg by jpegtran.
TEST(JpegImage, DecodesTranscodedVariantsLikeDjpeg) {
  TempDir dir;
  const std::string progressive = dir.Path("progressive.jpg"), restarts = dir.Path("restarts.jpg");
  const std::string original = Quote(JpegPath("testorig.jpg"));
  ASSERT_EQ(RunCommand("jpegtran -progressive -outfile " + Quote(progressive) + " " + original).status, 0);
  ASSERT_EQ(RunCommand("jpegtran -restart 1 -outfile " + Quote(restarts) + " " + original).status, 0);
  Bytes damaged = ReadWholeFile(restarts);
  ASSERT_GT(damaged.size(), 3000u);
  for (size_t i = 2000; i < 2040; ++i) damaged[i] = uint8_t(damaged[i] ^ 0x5A);
  const std::string damagedPath = dir.Path("damaged.jpg");
  ASSERT_TRUE(WriteWholeFile(damagedPath, damaged));
  for (const std::string& path : {progressive, restarts, damagedPath}) {
    SCOPED_TRACE(path);
    JpegImage image;
    ASSERT_TRUE(Decode(ReadWholeFile(path), &image)) << image.failure;
    ExpectSameAsDjpeg(image, Djpeg(path));
    FreeJpegImage(&image);
  }
}

TEST(JpegImage, GreyscaleFileDecodesAsRgb) {
  TempDir dir;
  const std::string grey = dir.Path("grey.jpg");
  ASSERT_EQ(RunCommand("djpeg -grayscale " + Quote(JpegPath("testorig.jpg")) + " | cjpeg -outfile " + Quote(grey)).status, 0);
  const Picture ref = Djpeg(grey);
  ASSERT_EQ(ref.channels, 1);
  JpegImage image;
  ASSERT_TRUE(Decode(ReadWholeFile(grey), &image)) << image.failure;
  ExpectSameAsDjpeg(image, ref);
  FreeJpegImage(&image);
}

TEST(JpegImage, CmykFileIsRejected) {
  TempDir dir;
  const std::string cmyk = dir.Path("cmyk.jpg");
  ASSERT_EQ(RunCommand("convert " + Quote(JpegPath("testorig.jpg")) + " -colorspace CMYK " + Quote(cmyk)).status, 0);
  ASSERT_EQ(RunCommand("identify -format %[colorspace] " + Quote(cmyk)).out, (Bytes{'C', 'M', 'Y', 'K'}));
  JpegImage image;
  EXPECT_FALSE(Decode(ReadWholeFile(cmyk), &image));
  EXPECT_STREQ(image.failure, "Unsupported color conversion request");
  EXPECT_EQ(image.pixels, nullptr);
}

// Data that ends early decodes as far as it goes, exactly as djpeg (which
// also ends the data with a fake end-of-image marker) decodes it.
TEST(JpegImage, TruncatedFileDecodesLikeDjpeg) {
  TempDir dir;
  const Bytes whole = ReadWholeFile(JpegPath("testorig.jpg"));
  for (size_t keep : {whole.size() * 3 / 5, whole.size() - 2}) {
    SCOPED_TRACE(keep);
    const Bytes cut(whole.begin(), whole.begin() + long(keep));
    const std::string path = dir.Path("cut.jpg");
    ASSERT_TRUE(WriteWholeFile(path, cut));
    JpegImage image;
    ASSERT_TRUE(Decode(cut, &image)) << image.failure;
    ExpectSameAsDjpeg(image, Djpeg(path));
    FreeJpegImage(&image);
  }
}

// Position of the first SOF0 marker's height field.
size_t FrameSizeOffset(const Bytes& file) {
  for (size_t i = 0; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) return i + 5;
  return 0;
}

// A progressive file whose last scan is repeated until it has 160 scans.
Bytes WithManyScans(const Bytes& progressive) {
  size_t lastScan = 0;
  for (size_t i = 0; i + 1 < progressive.size(); ++i)
    if (progressive[i] == 0xFF && progressive[i + 1] == 0xDA) lastScan = i;
  const size_t end = progressive.size() - 2;  // the end-of-image marker
  Bytes out(progressive.begin(), progressive.begin() + long(end));
  for (int i = 0; i < 150; ++i) out.insert(out.end(), progressive.begin() + long(lastScan), progressive.begin() + long(end));
  out.insert(out.end(), progressive.begin() + long(end), progressive.end());
  return out;
}

TEST(JpegImage, FailsCleanlyLeavingTheImageAlone) {
  const Bytes good = ReadWholeFile(JpegPath("testorig.jpg"));
  Bytes huge = good;
  const size_t size = FrameSizeOffset(huge);
  ASSERT_NE(size, 0u);
  huge[size] = 0x4E, huge[size + 1] = 0x21;      // height 20001
  Bytes wide = good;
  wide[size + 2] = 0x40, wide[size + 3] = 0x01;  // width 16385
  Bytes noFrame(good.begin(), good.begin() + 20);
  TempDir dir;
  const std::string progressivePath = dir.Path("progressive.jpg");
  ASSERT_EQ(RunCommand("jpegtran -progressive -outfile " + Quote(progressivePath) + " " +
                       Quote(JpegPath("testorig.jpg"))).status, 0);
  const Bytes progressive = ReadWholeFile(progressivePath);
  struct {
    const char* what;
    Bytes file;
    const char* failure;  // libjpeg's message or the decoder's own
  } const cases[] = {
      {"empty", {}, "Empty input file"},
      {"not a JPEG", Bytes(64, 0x47), "Not a JPEG file: starts with 0x47 0x47"},
      {"start marker only", Bytes{0xFF, 0xD8}, "JPEG datastream contains no image"},
      {"header cut before the frame", noFrame, "JPEG datastream contains no image"},
      {"height above the bound", huge, "image size out of range"},
      {"width above the bound", wide, "image size out of range"},
      {"too many scans", WithManyScans(progressive), "too many scans"},
      {"12-bit samples", ReadWholeFile(JpegPath("testorig12.jpg")), "Unsupported JPEG data precision 12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    JpegImage image;
    image.width = 7;
    EXPECT_FALSE(Decode(c.file, &image));
    EXPECT_STREQ(image.failure, c.failure);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 7);
  }
}

TEST(JpegImage, LoadsFromResourceWhateverThePath) {
  native_platform::ResetAll();
  AddResourceFromTestFile(117, "jpeg/testorig.jpg");
  JpegImage image;
  ASSERT_TRUE(LoadJpegResourceImage(117, &image)) << image.failure;
  EXPECT_EQ(image.width, 227);
  EXPECT_EQ(image.rowBytes, 227 * 3);
  FreeJpegImage(&image);
  EXPECT_FALSE(LoadJpegResourceImage(118, &image));  // no such resource: an empty file
  EXPECT_STREQ(image.failure, "Empty input file");
  EXPECT_FALSE(LoadJpegImage("textures\\light.jpg", &image));  // no archive at all
  EXPECT_STREQ(image.failure, "ARCH:Can't load JPG file: textures\\light.jpg");
  EXPECT_TRUE(native_platform::Messages().empty());
  native_platform::ResetAll();
}

}  // namespace
