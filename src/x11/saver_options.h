// The command line of the native program, in the style of xscreensaver's
// display modes ("-speed 30", "--speed 30" alike), and how it edits the
// settings. Portable (no X11 header), so that native tests reach it.
//
//   -window | -fullscreen | -root | -window-id ID    where to draw
//   -speed N (0..100)  -volume N (0..100)  -frame-limit N (0..1000, 0: none)
//   -clock 12|24|off   -fps | -no-fps   -music | -no-music
//   -real-day-night | -no-real-day-night   -help
#pragma once

#include <cstdint>
#include <string>

#include "settings/saver_settings.h"

constexpr int kOptionUnset = -1;

enum class ClockOption { kUnset, kOff, kTwelveHour, kTwentyFourHour };

struct SaverOptions {
  bool fullscreen = false;          // -fullscreen
  bool root = false;                // -root
  uint64_t windowId = 0;            // -window-id; 0: none
  int speed = kOptionUnset;         // 0..100
  int volume = kOptionUnset;        // 0..100
  int frameLimit = kOptionUnset;    // frames per second, 0..1000
  int showFps = kOptionUnset;       // 0 or 1
  int music = kOptionUnset;         // 0 or 1
  int realDayNight = kOptionUnset;  // 0 or 1
  ClockOption clock = ClockOption::kUnset;
  bool help = false;                // -help: print the usage line and end
};

// The usage line printed for -help and for a bad command line.
extern const char kSaverUsage[];

// Parses argv[1..argc-1]. False, with error naming the bad argument, for an
// unknown option, a missing value or a value that is not a number in range.
bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions* options, std::string* error);

// A window id as X and xscreensaver write them: decimal or 0x hexadecimal,
// not 0, within X's 29-bit resource ids. False for anything else.
bool ParseWindowId(const char* text, uint64_t* id);

// Writes the options that were given into s. Music is off unless -music is
// given when underXscreensaver is set (the daemon's hosts expect silence).
void ApplySaverOptions(const SaverOptions& options, bool underXscreensaver, SaverSettings& s);
