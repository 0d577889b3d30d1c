// ParseCommandLine: program name, first switch, optional window number.
#include "app/command_line.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Past the program name: a quoted name up to and including its closing
// quote, otherwise up to and including the first space.
const char* SkipProgramName(const char* p) {
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    return *p ? p + 1 : p;
  }
  while (*p && *p != ' ') ++p;
  return *p ? p + 1 : p;
}

// Reads the first decimal number at or after p into *number; false when
// the text holds no digit.
bool ReadFirstNumber(const char* p, uint32_t* number) {
  while (*p && !IsDigit(*p)) ++p;
  if (!*p) return false;
  uint64_t value = 0;
  for (; IsDigit(*p); ++p) {
    value = value * 10 + uint64_t(*p - '0');
    if (value > kMaxParentWindow) value = kMaxParentWindow;
  }
  *number = uint32_t(value);
  return true;
}

}  // namespace

RunMode ParseCommandLine(const char* commandLine, uint32_t* parentWindow) {
  *parentWindow = 0;
  if (!commandLine) return RunMode::Config;
  const char* p = SkipProgramName(commandLine);
  while (*p && *p != '/' && *p != '-') ++p;
  if (!*p) return RunMode::Config;
  const char letter = p[1];
  const char* value = letter ? p + 2 : p + 1;
  switch (letter) {
    case 'C':
    case 'c':
      ReadFirstNumber(value, parentWindow);
      return RunMode::Config;
    case 'P':
    case 'p':
      ReadFirstNumber(value, parentWindow);
      return RunMode::Preview;
    case 'T':
    case 't':
      return RunMode::Test;
    default:
      return RunMode::Saver;
  }
}
