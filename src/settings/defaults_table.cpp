// Parsing of def_settings.txt, lookups in the parsed table and the defaults
// pass over the settings table.
#include "settings/defaults_table.h"

#include "archive/archive_file.h"
#include "settings/setting_table.h"

DefaultsTable defaultsTable;

namespace {

constexpr uint8_t kCarriageReturn = 0x0D;
constexpr uint8_t kLineFeed = 0x0A;

// Bytes that survive cleaning: 33..127 (signed value above 32).
bool KeptByte(uint8_t c) { return static_cast<int8_t>(c) > 32; }

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Stores one cleaned, comment-free line.
void AddCleanedLine(const std::string& line, DefaultsTable* table) {
  if (line.empty()) return;
  size_t equals = line.find('=');
  if (equals == std::string::npos) ++table->malformedLines;
  if (table->entries.size() >= kMaxDefaultsEntries) return;
  if (equals == std::string::npos)
    table->entries.push_back(DefaultsEntry{line, line});
  else
    table->entries.push_back(DefaultsEntry{line.substr(0, equals), line.substr(equals + 1)});
}

// Leading decimal integer with optional sign, held at the int32 range.
int32_t LeadingInteger(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > INT32_MAX) magnitude = int64_t(INT32_MAX) + 1;  // stays in range for -2^31
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

// "true" is 1, "false" 0, anything else its leading integer.
int32_t NumberOf(const std::string& value) {
  if (value == "true") return 1;
  if (value == "false") return 0;
  return LeadingInteger(value);
}

}  // namespace

void ParseDefaultsText(const uint8_t* text, uint32_t size, DefaultsTable* table) {
  std::string line;
  bool inComment = false;  // past the line's first ';'
  for (uint32_t i = 0; i < size; ++i) {
    uint8_t c = text[i];
    if (c == kCarriageReturn) {
      AddCleanedLine(line, table);
      line.clear();
      inComment = false;
      if (i + 1 < size && text[i + 1] == kLineFeed) ++i;
      continue;
    }
    if (inComment || !KeptByte(c)) continue;
    if (c == ';')
      inComment = true;
    else
      line.push_back(static_cast<char>(c));
  }
  AddCleanedLine(line, table);
}

void LoadDefaultsTable() {
  ArchiveFile file;
  file.OpenResource(kDefaultsResourceId);
  ParseDefaultsText(file.data, file.size, &defaultsTable);
}

bool FindDefault(const char* key, std::string* value) {
  std::string wanted = LowerAscii(key);
  for (const DefaultsEntry& entry : defaultsTable.entries) {
    if (LowerAscii(entry.key) == wanted) {
      *value = LowerAscii(entry.value);
      return true;
    }
  }
  value->clear();
  return false;
}

std::string LookupDefault(const char* key) {
  std::string value;
  FindDefault(key, &value);
  return value;
}

int32_t DefaultValue(const char* key) { return NumberOf(LookupDefault(key)); }

void ApplyDefaults(SaverSettings& s, std::vector<std::string>* missingKeys) {
  for (int8_t step = 0; step < int8_t(kSettingRowCount); ++step) {
    for (size_t i = 0; i < kSettingRowCount; ++i) {
      const SettingRow& row = kSettingRows[i];
      if (row.defaultsStep != step) continue;
      std::string value;
      if (!FindDefault(row.defaultsKey, &value) && missingKeys != nullptr)
        missingKeys->push_back(LowerAscii(row.defaultsKey));
      SetSettingInRange(s, row, int64_t(NumberOf(value)) + row.defaultsBias);
    }
  }
}
