// The fixed-shape reader of "YYYY-MM-DDTHH:MM": digit by digit, so that no
// sign, space or extra character slips through as scanf would let it.
#include "scene/utc_text.h"

namespace {

constexpr char kShape[] = "dddd-dd-ddTdd:dd";  // d: one decimal digit; anything else literal

bool HasShape(const char* text) {
  for (int i = 0; kShape[i] != '\0'; ++i) {
    char c = text[i];
    bool matches = kShape[i] == 'd' ? (c >= '0' && c <= '9') : c == kShape[i];
    if (!matches) return false;  // also stops at the terminator of a short text
  }
  return text[sizeof kShape - 1] == '\0';
}

int Digits(const char* text, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool ParseUtcText(const char* text, UtcDateTime* out) {
  if (text == nullptr || !HasShape(text)) return false;
  UtcDateTime t{Digits(text, 4), Digits(text + 5, 2), Digits(text + 8, 2),
                Digits(text + 11, 2), Digits(text + 14, 2), 0};
  if (t.year < kFirstUtcYear || t.year > kLastUtcYear || t.month < 1 || t.month > 12) return false;
  if (t.day < 1 || t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59) return false;
  *out = t;
  return true;
}
