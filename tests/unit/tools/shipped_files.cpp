// Reading the committed content of the source tree.
#include "shipped_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

fs::path SourcePath(const std::string& relative) { return fs::path(TERRAVA_SOURCE_DIR) / relative; }

}  // namespace

std::vector<uint8_t> ReadShippedFile(const std::string& relative) {
  std::ifstream in(SourcePath(relative), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ReadShippedLines(const std::string& relative) {
  std::vector<uint8_t> bytes = ReadShippedFile(relative);
  std::vector<std::string> lines(1);
  for (uint8_t b : bytes) {
    if (b == '\n')
      lines.emplace_back();
    else if (b != '\r')
      lines.back() += char(b);
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::vector<std::string> ListShippedTree(const std::string& folder) {
  std::vector<std::string> names;
  fs::path root = SourcePath(folder);
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) names.push_back(fs::relative(e.path(), root).generic_string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ShippedFilesWithExtension(const std::string& folder, const std::string& extension) {
  std::vector<std::string> paths;
  for (const fs::directory_entry& e : fs::directory_iterator(SourcePath(folder))) {
    std::string name = e.path().filename().string();
    if (name.size() >= extension.size() && Lower(name.substr(name.size() - extension.size())) == Lower(extension))
      paths.push_back(folder + "/" + name);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}
