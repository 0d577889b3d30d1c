// Fuzz target for the command-line parser: any text, as GetCommandLineA
// returns it, yields one of the four run modes and a parent window that is
// 0 unless the mode takes one (/c, /p) and never above kMaxParentWindow.
// The text is copied with its terminating NUL so that a read past it is
// caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

// Command lines are at most 32767 characters on Windows.
constexpr size_t kMaxInput = 32767;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  uint32_t parent = 12345;
  const RunMode mode = ParseCommandLine(text.data(), &parent);
  if (parent > kMaxParentWindow) std::abort();
  switch (mode) {
    case RunMode::Config:
    case RunMode::Preview:
      break;
    case RunMode::Saver:
    case RunMode::Test:
      if (parent != 0) std::abort();
      break;
    default:
      std::abort();
  }
  // Only the text up to the first NUL is the command line.
  uint32_t again = 0;
  if (ParseCommandLine(std::string(text.data()).c_str(), &again) != mode || again != parent) std::abort();
  uint32_t none = 7;
  if (ParseCommandLine(nullptr, &none) != RunMode::Config || none != 0) std::abort();
  return 0;
}
