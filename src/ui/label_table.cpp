// The label table: UTF-8 decoding of resource 114 into lines of UTF-16
// units, key lookup and the split of the about text.
#include "ui/label_table.h"

#include "archive/archive_file.h"

LabelTable labelTable;
std::u16string aboutLines[kAboutLineCount];

namespace {

constexpr uint32_t kByteOrderMark = 0xFEFF;
constexpr uint32_t kLastCodePoint = 0x10FFFF;
constexpr uint32_t kFirstSupplementary = 0x10000;  // first code point that needs a surrogate pair

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

char16_t LowerAscii(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit; }

std::string LowerAscii(const char* text) {
  std::string lowered;
  for (; *text; ++text) lowered += static_cast<char>(LowerAscii(static_cast<unsigned char>(*text)));
  return lowered;
}

// Appends a code point as one UTF-16 unit or a surrogate pair.
void AppendUtf16(uint32_t codePoint, std::u16string* line) {
  if (codePoint < kFirstSupplementary) {
    line->push_back(static_cast<char16_t>(codePoint));
    return;
  }
  uint32_t offset = codePoint - kFirstSupplementary;  // 20 bits
  line->push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  line->push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

// Reads one line: decodes code points up to and including the next LF or
// the end; stores every one except 0 (byte order marks, skipped bytes), CR
// and LF.
void ReadLine(const uint8_t** cursor, const uint8_t* end, std::u16string* line) {
  while (*cursor < end) {
    uint32_t codePoint = DecodeUtf8(cursor, end);
    if (codePoint == u'\n') return;
    if (codePoint != 0 && codePoint != u'\r') AppendUtf16(codePoint, line);
  }
}

// Lowers the ASCII capitals between the first and the last unit of a key line.
void LowerKeyLine(std::u16string* line) {
  if (line->size() < 3 || (*line)[0] != u'#') return;
  for (size_t i = 1; i + 1 < line->size(); ++i) (*line)[i] = LowerAscii((*line)[i]);
}

// Whether line is the key line of key (already lowered).
bool KeyLineMatches(const std::u16string& line, const std::string& key) {
  if (line.empty() || line[0] != u'#' || line.size() - 1 < key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i)
    if (line[1 + i] != static_cast<unsigned char>(key[i])) return false;
  // "#key#" is two units longer than key; "#key_and_more#" is longer still.
  return line.size() - key.size() <= 2;
}

}  // namespace

uint32_t DecodeUtf8(const uint8_t** cursor, const uint8_t* end) {
  const uint8_t* p = *cursor;
  size_t left = static_cast<size_t>(end - p);
  uint8_t b0 = p[0];
  if (b0 < 0x80) {
    *cursor = p + 1;
    return b0;
  }
  if ((b0 & 0xF8) == 0xF0 && left >= 4 && IsContinuation(p[1]) && IsContinuation(p[2]) && IsContinuation(p[3])) {
    uint32_t codePoint = ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
    if (codePoint <= kLastCodePoint) {
      *cursor = p + 4;
      return codePoint;
    }
  }
  if ((b0 & 0xF0) == 0xE0 && left >= 3 && IsContinuation(p[1]) && IsContinuation(p[2])) {
    *cursor = p + 3;
    uint32_t codePoint = ((b0 & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
    return codePoint == kByteOrderMark ? 0 : codePoint;
  }
  if ((b0 & 0xE0) == 0xC0 && left >= 2 && IsContinuation(p[1])) {
    *cursor = p + 2;
    return ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
  }
  *cursor = p + 1;  // starts no valid sequence: skipped
  return 0;
}

void LabelTable::Reset() {
  for (int i = 0; i < count; ++i) lines[i].clear();
  count = 0;
}

void LabelTable::Parse(const uint8_t* data, uint32_t size) {
  Reset();
  if (!data) return;
  const uint8_t* cursor = data;
  const uint8_t* end = data + size;
  while (cursor < end && count < kMaxLabelLines) {
    ReadLine(&cursor, end, &lines[count]);
    LowerKeyLine(&lines[count]);
    ++count;
  }
}

std::u16string LabelTable::Find(const char* key) const {
  std::string lowered = LowerAscii(key);
  for (int i = 0; i + 1 < count; ++i)
    if (KeyLineMatches(lines[i], lowered)) return lines[i + 1];
  return std::u16string();
}

void FillAboutLines(const std::u16string& text) {
  for (std::u16string& line : aboutLines) line.clear();
  int index = 0;
  for (char16_t c : text) {
    if (c != u'%') {
      aboutLines[index] += c;
    } else if (++index == kAboutLineCount) {
      return;
    }
  }
}

bool LoadLabelTable() {
  ArchiveFile resource;
  resource.OpenResource(kLabelResourceId);
  labelTable.Parse(resource.data, resource.size);
  FillAboutLines(GetLabel("about_window_text"));
  return resource.size > 0;
}

std::u16string GetLabel(const char* key) { return labelTable.Find(key); }

void ResetLabels() {
  labelTable.Reset();
  for (std::u16string& line : aboutLines) line.clear();
}
