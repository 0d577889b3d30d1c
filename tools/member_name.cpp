// Stored RAR member names to UTF-8: the packed UTF-16 form that follows the
// OEM name, the OEM code page through the C library's iconv, and the check
// that keeps names which are UTF-8 already.
#include "member_name.h"

#include <cerrno>
#include <iconv.h>

#include "archive/rar_format.h"

namespace {

constexpr uint32_t kReplacementCharacter = 0xFFFD;

bool IsSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

void AppendUtf8(uint32_t codePoint, std::string* out) {
  if (IsSurrogate(codePoint) || codePoint > 0x10FFFF) codePoint = kReplacementCharacter;
  if (codePoint < 0x80) {
    *out += char(codePoint);
    return;
  }
  const int tail = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
  static const uint8_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
  *out += char(kLead[tail] | codePoint >> (6 * tail));
  for (int k = tail - 1; k >= 0; --k) *out += char(0x80 | ((codePoint >> (6 * k)) & 0x3F));
}

// Bytes of the well-formed UTF-8 sequence at s[i] (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0.
size_t Utf8SequenceLength(const std::string& s, size_t i) {
  const uint8_t lead = uint8_t(s[i]);
  if (lead < 0x80) return 1;
  const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || s.size() - i < length) return 0;
  uint32_t codePoint = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const uint8_t next = uint8_t(s[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || IsSurrogate(codePoint)) return 0;
  return length;
}

bool IsUtf8(const std::string& s) {
  for (size_t i = 0, n = 0; i < s.size(); i += n)
    if ((n = Utf8SequenceLength(s, i)) == 0) return false;
  return true;
}

// The UTF-16 form packed after the zero byte: one high byte, then groups of
// four 2-bit operations, each group led by a flag byte (top bits first):
//   0  one unit, the next byte;
//   1  one unit, the next byte with the high byte above it;
//   2  one unit, the next two bytes, low byte first;
//   3  a run taken from the OEM name at the same position: a length byte L;
//      with bit 7 of L set a correction byte C follows and each of the
//      (L & 0x7F) + 2 units is (OEM byte + C) mod 256 with the high byte;
//      otherwise the L + 2 units are the OEM bytes themselves.
// Decoding ends at the end of the packed bytes, and a run at the end of the
// OEM name, so it never reads past either.
std::u16string UnpackUnicodeName(const std::string& oem, const uint8_t* packed, size_t size) {
  std::u16string units;
  if (size == 0) return units;
  const uint16_t high = uint16_t(packed[0] << 8);
  size_t pos = 1;
  unsigned flags = 0;
  for (int opsLeft = 0; pos < size; --opsLeft, flags <<= 2) {
    if (opsLeft == 0) {
      flags = packed[pos++];
      opsLeft = 4;
    }
    const unsigned op = (flags >> 6) & 3;
    const size_t needed = op == 2 ? 2 : 1;
    if (size - pos < needed) break;
    if (op == 0) units += char16_t(packed[pos++]);
    if (op == 1) units += char16_t(high | packed[pos++]);
    if (op == 2) {
      units += char16_t(packed[pos] | packed[pos + 1] << 8);
      pos += 2;
    }
    if (op != 3) continue;
    const uint8_t length = packed[pos++];
    const bool corrected = (length & 0x80) != 0;
    if (corrected && pos == size) break;
    const uint8_t correction = corrected ? packed[pos++] : 0;
    for (int run = (length & 0x7F) + 2; run > 0 && units.size() < oem.size(); --run) {
      const uint8_t byte = uint8_t(oem[units.size()]);
      units += corrected ? char16_t(high | uint8_t(byte + correction)) : char16_t(byte);
    }
  }
  return units;
}

// UTF-16 to UTF-8 up to the first zero unit; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units) {
  std::string out;
  for (size_t i = 0; i < units.size() && units[i] != 0; ++i) {
    uint32_t codePoint = units[i];
    const bool pair = codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < units.size() &&
                      units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
    if (pair) codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[++i] - 0xDC00);
    AppendUtf8(codePoint, &out);
  }
  return out;
}

// The OEM name through iconv; a byte sequence the code page does not define
// becomes '_' and conversion goes on after it.
std::string OemToUtf8(const std::string& oem, const char* codePage) {
  std::string out;
  iconv_t converter = iconv_open("UTF-8", codePage);
  if (converter == iconv_t(-1)) {
    for (char c : oem) out += uint8_t(c) < 0x80 ? c : '_';
    return out;
  }
  char* in = const_cast<char*>(oem.data());  // iconv's signature; it only reads
  size_t inLeft = oem.size();
  while (inLeft > 0) {
    char buffer[64];  // bytes; far more than one converted character needs
    char* outPos = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(converter, &in, &inLeft, &outPos, &outLeft);
    out.append(buffer, size_t(outPos - buffer));
    if (result != size_t(-1) || (errno == E2BIG && outPos != buffer)) continue;
    out += '_';
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
  }
  iconv_close(converter);
  return out;
}

}  // namespace

bool IsKnownCodePage(const char* oemCodePage) {
  iconv_t converter = iconv_open("UTF-8", oemCodePage);
  if (converter == iconv_t(-1)) return false;
  iconv_close(converter);
  return true;
}

std::string MemberNameToUtf8(const std::string& stored, uint16_t flags, uint8_t hostSystem,
                             const char* oemCodePage) {
  const size_t zero = stored.find('\0');
  const std::string oem = stored.substr(0, zero);
  if (flags & rar::kFileUnicodeName) {
    if (zero == std::string::npos && IsUtf8(oem)) return oem;
    if (zero != std::string::npos) {
      const uint8_t* packed = reinterpret_cast<const uint8_t*>(stored.data()) + zero + 1;
      std::string name = Utf16ToUtf8(UnpackUnicodeName(oem, packed, stored.size() - zero - 1));
      if (!name.empty()) return name;
    }
  }
  if (hostSystem == rar::kHostUnix && IsUtf8(oem)) return oem;
  return OemToUtf8(oem, oemCodePage);
}
