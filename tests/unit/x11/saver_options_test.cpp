// The native program's command line: what it accepts, what it refuses
// (hostile values included), and how it edits the settings.
#include "x11/saver_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, SaverOptions* options) {
  args.insert(args.begin(), "terrava");
  std::string error;
  return ParseSaverOptions(int(args.size()), args.data(), options, &error);
}

TEST(SaverOptions, RefusesUnknownOptionsMissingValuesAndValuesOutOfRange) {
  const std::vector<std::vector<const char*>> refused = {
      {"-bogus"}, {"speed"}, {"-speed"}, {"-speed", "101"}, {"-speed", "-1"}, {"-speed", "5x"},
      {"-speed", ""}, {"-speed", "+5"}, {"-speed", "99999999999999999999"}, {"-volume", "200"},
      {"-frame-limit", "1001"}, {"-clock"}, {"-clock", "13"}, {"-clock", "OFF"}, {"-window-id"},
      {"-window-id", "0"}, {"-window-id", "0x"}, {"-window-id", "0x20000000"}, {"-window-id", "-5"},
      {"-window-id", "0x1g"}, {"-window-id", "18446744073709551617"}, {"-"}, {"--"}, {""}};
  for (const auto& args : refused) {
    SaverOptions options;
    EXPECT_FALSE(Parse(args, &options)) << args[0] << " " << (args.size() > 1 ? args[1] : "");
  }
}

TEST(SaverOptions, ReadsEveryOptionInSingleAndDoubleDashForm) {
  SaverOptions o;
  ASSERT_TRUE(Parse({"-speed", "0", "--volume", "100", "-frame-limit", "0", "-clock", "12", "-fps", "-no-music",
                     "-no-real-day-night", "-fullscreen", "-root", "--window-id", "0x1FFFFFFF"},
                    &o));
  EXPECT_EQ(o.speed, 0);
  EXPECT_EQ(o.volume, 100);
  EXPECT_EQ(o.frameLimit, 0);
  EXPECT_EQ(o.clock, ClockOption::kTwelveHour);
  EXPECT_EQ(o.showFps, 1);
  EXPECT_EQ(o.music, 0);
  EXPECT_EQ(o.realDayNight, 0);
  EXPECT_TRUE(o.fullscreen);
  EXPECT_TRUE(o.root);
  EXPECT_EQ(o.windowId, 0x1FFFFFFFu);
  ASSERT_TRUE(Parse({"-window-id", "123", "-clock", "off", "-help"}, &o));
  EXPECT_EQ(o.windowId, 123u);
  EXPECT_EQ(o.clock, ClockOption::kOff);
  EXPECT_TRUE(o.help);
  EXPECT_EQ(o.speed, kOptionUnset);  // each parse starts afresh
}

TEST(SaverOptions, EditsOnlyTheGivenSettingsAndSilencesMusicUnderXscreensaver) {
  SaverSettings defaults;
  defaults.EnableMusic = true;
  defaults.Speed = 50;
  defaults.ShowClock = false;
  SaverOptions none;
  SaverSettings s = defaults;
  ApplySaverOptions(none, false, s);
  EXPECT_TRUE(s.EnableMusic);
  EXPECT_EQ(s.Speed, 50);
  ApplySaverOptions(none, true, s);
  EXPECT_FALSE(s.EnableMusic);

  SaverOptions o;
  o.music = 1;
  o.clock = ClockOption::kTwelveHour;
  o.speed = 7;
  o.realDayNight = 1;
  s = defaults;
  ApplySaverOptions(o, true, s);
  EXPECT_TRUE(s.EnableMusic);  // -music wins under xscreensaver too
  EXPECT_TRUE(s.ShowClock);
  EXPECT_TRUE(s.TimeFormat);
  EXPECT_EQ(s.Speed, 7);
  EXPECT_TRUE(s.RealDayNight);
  o.clock = ClockOption::kOff;
  ApplySaverOptions(o, true, s);
  EXPECT_FALSE(s.ShowClock);
  EXPECT_TRUE(s.TimeFormat);  // the format is kept for a later -clock
}

}  // namespace
