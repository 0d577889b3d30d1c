// Value helpers of the scene language: keyword matching by prefix, the
// scanf-style patterns that read numbers, vectors and words out of a line,
// and the report a parser fills for the developer tool. The saver passes no
// report and stays silent; `terrava-tool scene check` prints every entry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SceneObject;

// Text lines of the scene files hold at most 127 characters (the longest
// shipped line has 51); longer lines are cut by ArchiveFile::ReadLine.
constexpr int kLineCapacity = 128;

// True when line begins with keyword, comparing exactly as many characters
// as the keyword has, case-sensitively ("sphere" matches "spheres" too, and a
// keyword written with a leading tab matches only tab-indented lines).
bool MatchKeyword(const char* line, const char* keyword);

// Reads line against a scanf-like pattern and returns how many values it
// converted before the first mismatch (the caller compares with the count it
// needs, so a line applies all its values or none). Pattern items:
//   whitespace  skips any run of blanks in the line, also none;
//   %f          a decimal float (strtof: no undefined behaviour on overflow,
//               out-of-range values become +-HUGE_VALF), stored in numbers[];
//   %s          one word (up to the next blank), stored in word, truncated to
//               wordCapacity - 1 characters; the rest of the word is skipped;
//   other       must equal the next character of the line.
// Text after the pattern is ignored, as with sscanf.
int ScanValues(const char* line, const char* pattern, float* numbers, int numberCapacity,
               char* word = nullptr, size_t wordCapacity = 0);

// One line that a loader skipped or could not read: file:line: message.
struct ParseIssue {
  std::string file;
  int line = 0;                         // 1-based line number in the member
  std::string message;                  // e.g. unrecognised line "filter"
  const SceneObject* object = nullptr;  // the block the line stood in; null at top level
};

// Filled by the loaders when the caller passes one (the developer tool and
// the tests); the saver passes none.
struct ParseReport {
  std::vector<ParseIssue> issues;

  void Add(const char* file, int line, const std::string& message,
           const SceneObject* object = nullptr);
};
