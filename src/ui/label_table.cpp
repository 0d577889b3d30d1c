// The label table: UTF-8 decoding of resource 114 into lines of 16-bit
// units, key lookup, narrowing to 8 bits and the split of the about text.
#include "ui/label_table.h"

#include "archive/archive_file.h"

LabelTable labelTable;
std::string aboutLines[kAboutLineCount];

namespace {

constexpr uint16_t kByteOrderMark = 0xFEFF;

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

char16_t LowerAscii(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit; }

std::string LowerAscii(const char* text) {
  std::string lowered;
  for (; *text; ++text) lowered += static_cast<char>(LowerAscii(static_cast<unsigned char>(*text)));
  return lowered;
}

// Reads one line: decodes units up to and including the next LF or the end;
// stores every unit except 0 (byte order marks, skipped bytes), CR and LF.
void ReadLine(const uint8_t** cursor, const uint8_t* end, std::u16string* line) {
  while (*cursor < end) {
    uint16_t unit = DecodeUtf8Unit(cursor, end);
    if (unit == u'\n') return;
    if (unit != 0 && unit != u'\r') line->push_back(unit);
  }
}

// Lowers the ASCII capitals between the first and the last unit of a key line.
void LowerKeyLine(std::u16string* line) {
  if (line->size() < 3 || (*line)[0] != u'#') return;
  for (size_t i = 1; i + 1 < line->size(); ++i) (*line)[i] = LowerAscii((*line)[i]);
}

// Keeps the low byte of every unit, for the ANSI window functions.
std::string Narrow(const std::u16string& line) {
  std::string narrow;
  for (char16_t unit : line) narrow += static_cast<char>(unit & 0xFF);
  return narrow;
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

uint16_t DecodeUtf8Unit(const uint8_t** cursor, const uint8_t* end) {
  const uint8_t* p = *cursor;
  size_t left = static_cast<size_t>(end - p);
  uint8_t b0 = p[0];
  if (b0 < 0x80) {
    *cursor = p + 1;
    return b0;
  }
  if ((b0 & 0xF0) == 0xE0 && left >= 3 && IsContinuation(p[1]) && IsContinuation(p[2])) {
    *cursor = p + 3;
    uint16_t unit = static_cast<uint16_t>(((b0 & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
    return unit == kByteOrderMark ? 0 : unit;
  }
  if ((b0 & 0xE0) == 0xC0 && left >= 2 && IsContinuation(p[1])) {
    *cursor = p + 2;
    return static_cast<uint16_t>(((b0 & 0x1F) << 6) | (p[1] & 0x3F));
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

std::string LabelTable::Find(const char* key) const {
  std::string lowered = LowerAscii(key);
  for (int i = 0; i + 1 < count; ++i)
    if (KeyLineMatches(lines[i], lowered)) return Narrow(lines[i + 1]);
  return std::string();
}

void FillAboutLines(const std::string& text) {
  for (std::string& line : aboutLines) line.clear();
  int index = 0;
  for (char c : text) {
    if (c != '%') {
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

std::string GetLabel(const char* key) { return labelTable.Find(key); }

void ResetLabels() {
  labelTable.Reset();
  for (std::string& line : aboutLines) line.clear();
}
