// Parsing the native program's command line into SaverOptions.
#include "x11/saver_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char kSaverUsage[] =
    "usage: terrava [-window | -fullscreen | -root | -window-id ID] [-speed 0-100] "
    "[-clock 12|24|off] [-fps] [-music | -no-music] [-volume 0-100] [-frame-limit 0-1000] "
    "[-real-day-night | -no-real-day-night]";

namespace {

constexpr uint64_t kMaxWindowId = 0x1FFFFFFF;  // X resource ids use 29 bits

// An option that stores a number: name, member, lowest and highest value.
// A switch stores its fixed value and takes no argument (lowest == highest).
struct NumberOption {
  const char* name;
  int SaverOptions::*member;
  int lowest;
  int highest;
  bool takesValue;
};

const NumberOption kNumberOptions[] = {
    // name          member                    lowest highest takesValue
    {"-speed",       &SaverOptions::speed,      0,    100,    true},
    {"-volume",      &SaverOptions::volume,     0,    100,    true},
    {"-frame-limit", &SaverOptions::frameLimit, 0,    1000,   true},
    {"-fps",         &SaverOptions::showFps,    1,    1,      false},
    {"-no-fps",      &SaverOptions::showFps,    0,    0,      false},
    {"-music",       &SaverOptions::music,      1,    1,      false},
    {"-no-music",    &SaverOptions::music,      0,    0,      false},
    {"-real-day-night",    &SaverOptions::realDayNight, 1, 1, false},
    {"-no-real-day-night", &SaverOptions::realDayNight, 0, 0, false},
};

// A whole decimal number in [lowest, highest]; false for anything else.
bool ParseNumber(const char* text, int lowest, int highest, int* value) {
  if (text == nullptr || *text < '0' || *text > '9') return false;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || parsed < lowest || parsed > highest) return false;
  *value = int(parsed);
  return true;
}

bool ParseClock(const char* text, ClockOption* clock) {
  if (text == nullptr) return false;
  if (std::strcmp(text, "12") == 0) *clock = ClockOption::kTwelveHour;
  else if (std::strcmp(text, "24") == 0) *clock = ClockOption::kTwentyFourHour;
  else if (std::strcmp(text, "off") == 0) *clock = ClockOption::kOff;
  else return false;
  return true;
}

// Takes one option at argv[*i] (and its value), advancing *i past it.
bool ParseOne(int argc, const char* const* argv, int* i, SaverOptions* o) {
  const char* name = argv[*i];
  if (name[0] == '-' && name[1] == '-') ++name;  // "--speed" reads as "-speed"
  const char* value = *i + 1 < argc ? argv[*i + 1] : nullptr;
  for (const NumberOption& row : kNumberOptions) {
    if (std::strcmp(name, row.name) != 0) continue;
    if (!row.takesValue) {
      o->*row.member = row.lowest;
      return true;
    }
    ++*i;
    return ParseNumber(value, row.lowest, row.highest, &(o->*row.member));
  }
  if (std::strcmp(name, "-window") == 0) o->fullscreen = false;
  else if (std::strcmp(name, "-fullscreen") == 0) o->fullscreen = true;
  else if (std::strcmp(name, "-root") == 0) o->root = true;
  else if (std::strcmp(name, "-help") == 0 || std::strcmp(name, "-h") == 0) o->help = true;
  else if (std::strcmp(name, "-clock") == 0) return ++*i, ParseClock(value, &o->clock);
  else if (std::strcmp(name, "-window-id") == 0) return ++*i, ParseWindowId(value, &o->windowId);
  else return false;
  return true;
}

}  // namespace

bool ParseWindowId(const char* text, uint64_t* id) {
  if (text == nullptr || *text < '0' || *text > '9') return false;
  bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex && text[2] == '\0') return false;
  errno = 0;
  char* end = nullptr;
  unsigned long long parsed = std::strtoull(text, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || parsed == 0 || parsed > kMaxWindowId) return false;
  *id = parsed;
  return true;
}

bool ParseSaverOptions(int argc, const char* const* argv, SaverOptions* options, std::string* error) {
  *options = SaverOptions{};
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument == nullptr) continue;
    if (ParseOne(argc, argv, &i, options)) continue;
    *error = std::string("bad option or value: ") + argument;
    return false;
  }
  return true;
}

void ApplySaverOptions(const SaverOptions& o, bool underXscreensaver, SaverSettings& s) {
  if (o.speed != kOptionUnset) s.Speed = o.speed;
  if (o.volume != kOptionUnset) s.Volume = o.volume;
  if (o.frameLimit != kOptionUnset) s.FrameLimit = o.frameLimit;
  if (o.showFps != kOptionUnset) s.ShowFPS = o.showFps != 0;
  if (o.realDayNight != kOptionUnset) s.RealDayNight = o.realDayNight != 0;
  if (underXscreensaver) s.EnableMusic = false;
  if (o.music != kOptionUnset) s.EnableMusic = o.music != 0;
  if (o.clock != ClockOption::kUnset) {
    s.ShowClock = o.clock != ClockOption::kOff;
    if (s.ShowClock) s.TimeFormat = o.clock == ClockOption::kTwelveHour;
  }
}
