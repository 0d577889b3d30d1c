// Keyword matching, the scanf-style value scanner and the parse report.
#include "scene/scene_values.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// Reads one float at p (after blanks); false when there is none.
bool ScanFloat(const char*& p, float* out) {
  const char* start = SkipBlanks(p);
  char* end = nullptr;
  float value = std::strtof(start, &end);
  if (end == start) return false;
  *out = value;
  p = end;
  return true;
}

// Reads one word at p (after blanks), truncated to capacity - 1 characters.
bool ScanWord(const char*& p, char* word, size_t capacity) {
  const char* start = SkipBlanks(p);
  const char* end = start;
  while (*end != '\0' && !IsBlank(*end)) ++end;
  if (end == start) return false;
  size_t length = size_t(end - start);
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(word, start, length);
  word[length] = '\0';
  p = end;
  return true;
}

}  // namespace

bool MatchKeyword(const char* line, const char* keyword) {
  return std::strncmp(line, keyword, std::strlen(keyword)) == 0;
}

int ScanValues(const char* line, const char* pattern, float* numbers, int numberCapacity,
               char* word, size_t wordCapacity) {
  int converted = 0;
  int numberCount = 0;
  const char* p = line;
  for (const char* q = pattern; *q != '\0'; ++q) {
    if (IsBlank(*q)) {
      p = SkipBlanks(p);
    } else if (q[0] == '%' && q[1] == 'f') {
      if (numberCount >= numberCapacity || !ScanFloat(p, &numbers[numberCount])) break;
      ++numberCount;
      ++converted;
      ++q;
    } else if (q[0] == '%' && q[1] == 's') {
      if (word == nullptr || wordCapacity == 0 || !ScanWord(p, word, wordCapacity)) break;
      ++converted;
      ++q;
    } else if (*p == *q) {
      ++p;
    } else {
      break;
    }
  }
  return converted;
}

void ParseReport::Add(const char* file, int line, const std::string& message,
                      const SceneObject* object) {
  issues.push_back(ParseIssue{file, line, message, object});
}
