// Helpers for the image tests: the committed test files, reference tools
// run at test time (djpeg, cjpeg, jpegtran, ImageMagick's convert), reference
// pictures, and the native resource table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Path of a file under tests/data/image/.
std::string ImageDataPath(const std::string& relative);

// Whole file; empty when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

struct CommandResult {
  int status = -1;           // exit status; -1 when the command did not run
  std::vector<uint8_t> out;  // standard output
};

// Runs a shell command (standard error discarded).
CommandResult RunCommand(const std::string& command);

// Single quotes for the shell.
std::string Quote(const std::string& text);

// A reference picture, top row first, channels interleaved.
struct Picture {
  int width = 0;
  int height = 0;
  int channels = 0;  // 1 grey, 3 RGB, 4 RGBA
  std::vector<uint8_t> pixels;
  const uint8_t* At(int x, int y) const { return pixels.data() + (size_t(y) * width + x) * channels; }
};

// Binary PGM (P5) or PPM (P6) with maximum value 255, as djpeg writes.
bool ParsePnm(const std::vector<uint8_t>& bytes, Picture* picture);
// A PNG file as RGBA.
bool LoadPngRgba(const std::string& path, Picture* picture);

// A fresh directory under /tmp, removed with its files on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

// Registers a committed test file as "CustomData" resource id.
void AddResourceFromTestFile(int id, const std::string& relative);
