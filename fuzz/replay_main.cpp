// Replays a fuzz target's corpus without libFuzzer: every file named on the
// command line, or found in a directory named there, is passed once to
// LLVMFuzzerTestOneInput. Built with the native tests (under ASan and UBSan)
// so the test command re-checks every committed corpus file in seconds.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int RunFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A copy of exactly the file's size, so reads past the end are caught.
  uint8_t* exact = new uint8_t[bytes.size() ? bytes.size() : 1];
  std::copy(bytes.begin(), bytes.end(), exact);
  LLVMFuzzerTestOneInput(exact, bytes.size());
  delete[] exact;
  return 0;
}

int RunPath(const std::string& path, int* count) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    std::fprintf(stderr, "no such corpus: %s\n", path.c_str());
    return 1;
  }
  if (!S_ISDIR(st.st_mode)) {
    ++*count;
    return RunFile(path);
  }
  DIR* dir = opendir(path.c_str());
  if (!dir) return 1;
  std::vector<std::string> names;
  while (dirent* e = readdir(dir))
    if (e->d_name[0] != '.') names.push_back(e->d_name);
  closedir(dir);
  int failures = 0;
  for (const std::string& n : names) failures += RunPath(path + "/" + n, count);
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  int failures = 0, count = 0;
  for (int i = 1; i < argc; ++i) failures += RunPath(argv[i], &count);
  std::printf("replayed %d inputs\n", count);
  return failures == 0 && count > 0 ? 0 : 1;
}
