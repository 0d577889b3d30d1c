// The few things the portable core asks of the operating system.
//
// Declared once here and implemented twice: platform_win32.cpp for the
// product (module resources, MessageBoxW, the saver window, GetLocalTime,
// GetSystemTime) and platform_native.cpp for tests, tools and benchmarks (a
// resource table filled by the caller, recorded messages, a progress
// counter, settable clocks). Nothing in this header depends on <windows.h>.
#pragma once

#include <cstdint>

// Resource type of every data resource in the executable.
constexpr const char* kDataResourceType = "CustomData";

// Bytes of a resource, borrowed from the module: never freed by the caller.
struct ResourceBytes {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

// Finds the resource of the given type (matched without regard to case)
// and numeric id. Returns false, leaving out empty, when there is none.
bool PlatformFindResource(const char* type, int id, ResourceBytes* out);

// Shows a modal message box with the given text and caption (UTF-8).
void PlatformShowMessage(const char* text, const char* caption);

// Reports one finished loading step (a texture, object or geometry line):
// the saver window redraws its loader screen.
void PlatformLoadingProgress();

struct LocalClockTime {
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};

// The local wall-clock time.
LocalClockTime PlatformLocalTime();

struct UtcDateTime {
  int year;    // Gregorian, e.g. 2026
  int month;   // 1..12
  int day;     // 1..31
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};

// The current date and time in UTC.
UtcDateTime PlatformUtcTime();
