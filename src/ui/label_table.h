// The table of interface labels: every text the dialogs show, read once at
// start-up from the UTF-8 text resource "CustomData" 114. A key line
// ("#", key, "#") names a label and the line after it holds the label's text;
// all other lines (headings, comments, blank lines) are kept but never match.
// Lines are stored as UTF-16 code units, which the dialogs hand to the wide
// window functions unchanged, so a translation in any script shows on any
// system code page. Translating the interface means replacing that one
// resource. Portable: no window-system code here.
#pragma once

#include <cstdint>
#include <string>

// Resource id of the label table (type "CustomData").
constexpr int kLabelResourceId = 114;
// Lines kept from the resource; the shipped table has about 130, and lines
// past this count are not stored.
constexpr int kMaxLabelLines = 200;
// The about text is split at "%" into this many display lines.
constexpr int kAboutLineCount = 7;

// Decodes one UTF-8 sequence of 1 to 4 bytes at cursor (which must be below
// end) and advances the cursor past it. Returns the code point (0..0x10FFFF),
// or 0 for a byte order mark (EF BB BF). A byte that starts no complete,
// valid sequence (a continuation byte, a lead above F4, a 4-byte sequence
// beyond U+10FFFF, a lead cut short by the end or by a byte that is not a
// continuation) is skipped: the cursor moves one byte and the result is 0.
// Never reads at or past end.
uint32_t DecodeUtf8(const uint8_t** cursor, const uint8_t* end);

class LabelTable {
 public:
  // Empties the table.
  void Reset();
  // Replaces the table with the lines of a UTF-8 text (CR LF or LF line
  // ends). Code points above U+FFFF are stored as surrogate pairs; 0, CR
  // and LF are not stored. Key lines have their ASCII
  // capitals lowered between the two "#". At most kMaxLabelLines are kept.
  void Parse(const uint8_t* data, uint32_t size);
  // The text line after the key line of key (ASCII case ignored), as
  // UTF-16; empty when the key is not in the table. The key line of a
  // longer key that merely starts with key does not match, and the last
  // line is never a key line (it has no text after it).
  std::u16string Find(const char* key) const;

  std::u16string lines[kMaxLabelLines];  // in file order
  int count = 0;                         // lines stored, 0..kMaxLabelLines
};

// The process-wide table, filled by LoadLabelTable and read-only afterwards.
extern LabelTable labelTable;
// The about text (key "about_window_text") split at "%" into display lines;
// lines past the seventh are dropped, missing ones stay empty.
extern std::u16string aboutLines[kAboutLineCount];

// Reads resource 114 into labelTable and fills aboutLines. Returns false when
// the resource is missing or empty (every label is then empty).
bool LoadLabelTable();
// Looks key up in the process-wide table (see LabelTable::Find).
std::u16string GetLabel(const char* key);
// Splits text at "%" into aboutLines.
void FillAboutLines(const std::u16string& text);
// Empties labelTable and aboutLines (tests load several tables in one process).
void ResetLabels();
