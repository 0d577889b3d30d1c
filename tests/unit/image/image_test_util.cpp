// Test helpers: files, commands, PNM and PNG reading, temporary directories.
#include "unit/image/image_test_util.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/native_platform.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO_WARNINGS
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

std::string ImageDataPath(const std::string& relative) {
  return std::string(TERRAVA_TEST_DATA_DIR) + "/image/" + relative;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return result;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.out.insert(result.out.end(), chunk, chunk + n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quote(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

namespace {

// Reads the next whitespace-separated decimal number of a PNM header.
bool PnmNumber(const std::vector<uint8_t>& b, size_t* pos, int* value) {
  while (*pos < b.size() && std::isspace(b[*pos])) ++*pos;
  if (*pos >= b.size() || !std::isdigit(b[*pos])) return false;
  *value = 0;
  while (*pos < b.size() && std::isdigit(b[*pos]) && *value < 1000000) *value = *value * 10 + (b[(*pos)++] - '0');
  return true;
}

}  // namespace

bool ParsePnm(const std::vector<uint8_t>& bytes, Picture* picture) {
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return false;
  size_t pos = 2;
  int maxValue = 0;
  if (!PnmNumber(bytes, &pos, &picture->width) || !PnmNumber(bytes, &pos, &picture->height) ||
      !PnmNumber(bytes, &pos, &maxValue) || maxValue != 255)
    return false;
  ++pos;  // the single whitespace byte before the samples
  picture->channels = bytes[1] == '5' ? 1 : 3;
  const size_t count = size_t(picture->width) * picture->height * picture->channels;
  if (bytes.size() - pos < count) return false;
  picture->pixels.assign(bytes.begin() + long(pos), bytes.begin() + long(pos + count));
  return true;
}

bool LoadPngRgba(const std::string& path, Picture* picture) {
  int channelsInFile = 0;
  stbi_uc* data = stbi_load(path.c_str(), &picture->width, &picture->height, &channelsInFile, 4);
  if (!data) return false;
  picture->channels = 4;
  picture->pixels.assign(data, data + size_t(picture->width) * picture->height * 4);
  stbi_image_free(data);
  return true;
}

TempDir::TempDir() {
  char pattern[] = "/tmp/terrava-image-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  dir_ = made ? made : "/tmp";
}

TempDir::~TempDir() {
  if (dir_ != "/tmp") RunCommand("rm -rf " + Quote(dir_));
}

void AddResourceFromTestFile(int id, const std::string& relative) {
  native_platform::AddResourceFile(kDataResourceType, id, ImageDataPath(relative).c_str());
}
