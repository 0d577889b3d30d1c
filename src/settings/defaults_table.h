// The factory defaults: the "key = value;" entries of def_settings.txt
// (resource 115), parsed once at start-up, and the pass that copies them
// into a settings record.
//
// The text is Windows-1251. Lines end at CR (an LF right after the CR is
// skipped; a lone LF does not end a line). Every byte that is 32 or less
// taken as a signed char is dropped (blanks, control bytes, stray LFs and
// every byte of 0x80 and above), then the line is cut at its first ';'.
// A non-empty rest is "key=value" (the value may hold further '='); a rest
// without '=' is counted as malformed and stored with the whole rest as key
// and value. Nothing here shows a message: the program's start-up shows the
// problems the table records (defaults_problems.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/saver_settings.h"

// Resource id of def_settings.txt ("CustomData").
constexpr int kDefaultsResourceId = 115;

// Most entries the table keeps; the shipped text has 23 and the format
// allows 100, so later entries are dropped rather than stored.
constexpr size_t kMaxDefaultsEntries = 100;

struct DefaultsEntry {
  std::string key;    // as written (cleaned), compared without regard to ASCII case
  std::string value;  // as written (cleaned)
};

// The entries in file order.
struct DefaultsTable {
  std::vector<DefaultsEntry> entries;
  uint32_t malformedLines = 0;  // lines without '=', stored or dropped
};

extern DefaultsTable defaultsTable;

// Parses a defaults text into table (appending).
void ParseDefaultsText(const uint8_t* text, uint32_t size, DefaultsTable* table);
// Parses resource 115 into defaultsTable (first step of start-up).
void LoadDefaultsTable();

// The value of key (ASCII case ignored), lower-cased, in *value; false
// (value empty) when defaultsTable has no such key.
bool FindDefault(const char* key, std::string* value);
// FindDefault's value, the empty text for a missing key.
std::string LookupDefault(const char* key);
// "true" is 1, "false" is 0, anything else its leading decimal integer
// (optional sign, digits up to the first other character, 0 when there is
// none, held at the int32 range when longer).
int32_t DefaultValue(const char* key);
// Sets every field that has a defaults key, in the fixed defaults order;
// ShowFlame, VSync and FrameLimit are left as they are. A key the table
// lacks sets its field from 0 and is appended, lower-cased, to *missingKeys
// when given.
void ApplyDefaults(SaverSettings& s, std::vector<std::string>* missingKeys = nullptr);
