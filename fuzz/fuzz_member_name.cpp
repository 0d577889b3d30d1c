// Fuzz target for terrava-tool's member names. The first input byte picks
// the header fields (bit 0 the Unicode flag, bit 1 a Unix host, bit 2 the
// double-byte code page CP932 instead of CP437); the rest is the stored name,
// cut to the reader's 259 bytes. The name must come out as UTF-8 that
// iconv accepts, without a zero byte, and no read may leave the input.
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "archive/rar_format.h"
#include "member_name.h"

namespace {

bool IconvAcceptsUtf8(const std::string& text) {
  static iconv_t check = iconv_open("UTF-16LE", "UTF-8");
  iconv(check, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char buffer[256];
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(check, &in, &inLeft, &out, &outLeft) == size_t(-1) && out == buffer) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t pick = data[0];
  const size_t nameSize = size - 1 < rar::kMaxNameLength ? size - 1 : rar::kMaxNameLength;
  const std::string stored(reinterpret_cast<const char*>(data + 1), nameSize);
  const uint16_t flags = (pick & 1) ? rar::kFileUnicodeName : 0;
  const uint8_t host = (pick & 2) ? rar::kHostUnix : rar::kHostWin32;
  const std::string name = MemberNameToUtf8(stored, flags, host, (pick & 4) ? "CP932" : kDefaultOemCodePage);
  if (name.find('\0') != std::string::npos || !IconvAcceptsUtf8(name)) std::abort();
  return 0;
}
