// terrava-tool image decode IN OUT: decodes a JPEG or TGA file through the
// saver's own decoders and writes the pixels exactly as they would be
// uploaded (JPEG as RGB, TGA widened to RGBA), so the project's decoding can
// be compared with any reference decoder. The picture is written as OpenGL
// shows the texture: buffer row 0 is the bottom row, so a JPEG and a
// bottom-left TGA come out upright. OUT is a PAM file, or a PNG file when
// its name ends in ".png".
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/jpeg_image.h"
#include "image/tga_image.h"
#include "platform/native_platform.h"
#include "tool_commands.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

struct UploadPixels {
  int width = 0;
  int height = 0;
  int channels = 0;             // 3 RGB or 4 RGBA
  std::vector<uint8_t> pixels;  // bottom row first, as uploaded
};

bool IsJpeg(const std::vector<uint8_t>& file) { return file.size() >= 2 && file[0] == 0xFF && file[1] == 0xD8; }

bool DecodeJpeg(const std::vector<uint8_t>& file, UploadPixels* out, std::string* why) {
  JpegImage image;
  if (!DecodeJpegImage(file.data(), uint32_t(file.size()), &image)) {
    *why = image.failure;
    return false;
  }
  *out = UploadPixels{image.width, image.height, 3,
                      std::vector<uint8_t>(image.pixels, image.pixels + size_t(image.rowBytes) * image.height)};
  FreeJpegImage(&image);
  return true;
}

bool DecodeTga(const std::vector<uint8_t>& file, UploadPixels* out, std::string* why) {
  TgaImage image;
  if (!DecodeTgaImage(file.data(), uint32_t(file.size()), &image) || !ExpandTgaToRgba(&image)) {
    *why = image.failure ? image.failure : "out of memory";
    FreeTgaImage(&image);
    return false;
  }
  *out = UploadPixels{image.width, image.height, 4,
                      std::vector<uint8_t>(image.pixels, image.pixels + size_t(image.width) * image.height * 4)};
  FreeTgaImage(&image);
  return true;
}

// Row y of the picture as shown, top row 0.
const uint8_t* ShownRow(const UploadPixels& p, int y) {
  return p.pixels.data() + size_t(p.height - 1 - y) * p.width * p.channels;
}

bool WritePam(const char* path, const UploadPixels& p) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH %d\nMAXVAL 255\nTUPLTYPE %s\nENDHDR\n", p.width, p.height,
               p.channels, p.channels == 4 ? "RGB_ALPHA" : "RGB");
  for (int y = 0; y < p.height; ++y) std::fwrite(ShownRow(p, y), size_t(p.channels), size_t(p.width), f);
  return std::fclose(f) == 0;
}

bool WritePng(const char* path, const UploadPixels& p) {
  stbi_flip_vertically_on_write(1);  // bottom row first in memory, top row first in the file
  return stbi_write_png(path, p.width, p.height, p.channels, p.pixels.data(), p.width * p.channels) != 0;
}

bool EndsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

int Decode(const char* in, const char* out) {
  std::ifstream file(in, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "image decode: cannot read %s\n", in);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  UploadPixels pixels;
  std::string why;
  const bool decoded = IsJpeg(bytes) ? DecodeJpeg(bytes, &pixels, &why) : DecodeTga(bytes, &pixels, &why);
  for (const RecordedMessage& m : native_platform::Messages())
    std::fprintf(stderr, "image decode: message box \"%s\": %s\n", m.caption.c_str(), m.text.c_str());
  if (!decoded) {
    std::fprintf(stderr, "image decode: %s: %s\n", in, why.c_str());
    return 1;
  }
  if (!(EndsWith(out, ".png") ? WritePng(out, pixels) : WritePam(out, pixels))) {
    std::fprintf(stderr, "image decode: cannot write %s\n", out);
    return 1;
  }
  std::printf("%s: %d x %d, %s\n", in, pixels.width, pixels.height, pixels.channels == 4 ? "RGBA" : "RGB");
  return 0;
}

}  // namespace

int RunImageCommand(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[0], "decode") == 0) return Decode(argv[1], argv[2]);
  std::fprintf(stderr, "usage: terrava-tool image decode IN OUT\n"
                       "Exit code: 0 decoded and written, 1 IN unreadable or not decodable or OUT not written,\n"
                       "2 usage error.\n");
  return 2;
}
