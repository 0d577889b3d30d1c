// Folder trees in and out of terrava-tool's archive command (POSIX).
#include "archive_tree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "archive/rar_format.h"

namespace {

bool Failed(std::string* error, const std::string& text) {
  *error = text;
  return false;
}

bool ListFolder(const std::string& folder, std::vector<std::string>* names) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  while (dirent* e = readdir(dir))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names->push_back(e->d_name);
  closedir(dir);
  return true;
}

// Adds the contents of folder (path on disk) whose stored name is prefix.
bool CollectFolder(const std::string& folder, const std::string& prefix, std::vector<ArchiveEntry>* entries,
                   std::string* error) {
  std::vector<std::string> names;
  if (!ListFolder(folder, &names)) return Failed(error, "cannot read folder " + folder);
  for (const std::string& n : names) {
    std::string path = folder + "/" + n;
    ArchiveEntry entry;
    entry.name = prefix.empty() ? n : prefix + "\\" + n;
    if (entry.name.size() > rar::kMaxNameLength) return Failed(error, "name longer than 259 characters: " + path);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return Failed(error, "cannot stat " + path);
    if (S_ISDIR(st.st_mode)) {
      entry.directory = true;
      entries->push_back(entry);
      if (!CollectFolder(path, entry.name, entries, error)) return false;
    } else if (S_ISREG(st.st_mode)) {
      if (uint64_t(st.st_size) > rar::kMaxMemberSize) return Failed(error, "file larger than 256 MiB: " + path);
      if (!ReadFileBytes(path, &entry.content)) return Failed(error, "cannot read " + path);
      entries->push_back(std::move(entry));
    } else {
      return Failed(error, "neither file nor folder: " + path);
    }
  }
  return true;
}

}  // namespace

bool CollectTree(const std::string& root, std::vector<ArchiveEntry>* entries, std::string* error) {
  if (!CollectFolder(root, "", entries, error)) return false;
  std::sort(entries->begin(), entries->end(),
            [](const ArchiveEntry& a, const ArchiveEntry& b) { return a.name < b.name; });
  return true;
}

bool MemberOutputPath(const std::string& dir, const char* name, std::string* path) {
  if (name[0] == '\0' || name[0] == '\\' || name[0] == '/' || name[1] == ':') return false;
  *path = dir;
  std::string part;
  for (const char* p = name;; ++p) {
    if (*p == '\\' || *p == '/' || *p == '\0') {
      if (part == "..") return false;
      if (!part.empty() && part != ".") *path += "/" + part;
      part.clear();
      if (*p == '\0') break;
    } else {
      unsigned char c = static_cast<unsigned char>(*p);
      part += (c < 0x20 || c == 0x7F) ? '_' : char(c);
    }
  }
  return *path != dir;
}

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteFileBytes(const std::string& path, const uint8_t* bytes, uint32_t size) {
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes), size);
  return bool(out.flush());
}

// Through stdio rather than a stream: a folder opens as an ifstream on
// Linux, and libstdc++ then throws from the first read, ending the tool
// with an uncaught exception instead of "cannot read".
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  bytes->clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  uint8_t chunk[64 * 1024];
  bool fits = true;
  for (size_t n; fits && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    fits = n <= UINT32_MAX - bytes->size();
    if (fits) bytes->insert(bytes->end(), chunk, chunk + n);
  }
  const bool read = fits && std::ferror(file) == 0;
  std::fclose(file);
  return read;
}
