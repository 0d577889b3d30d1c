// The clock and frame-rate texts as pure functions: the glyph characters the
// overlay draws for a time or a rate.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "overlay/clock_display.h"
#include "overlay/frame_rate_display.h"
#include "overlay/glyph_font.h"

namespace {

struct ClockCase {
  LocalClockTime time;
  bool twelveHour;
  const char* text;  // ':' separator, ';' am, '<' pm
};

const ClockCase kClockCases[] = {
    // time         12-hour  text
    {{7, 5, 9}, false, "07:05:09"},
    {{0, 0, 0}, false, "00:00:00"},
    {{12, 0, 0}, false, "12:00:00"},  // no mark on the 24-hour dial
    {{23, 59, 59}, false, "23:59:59"},
    {{0, 30, 0}, true, "12:30:00;"},  // midnight hour is 12 am
    {{12, 0, 0}, true, "12:00:00<"},  // noon is pm
    {{13, 7, 2}, true, "01:07:02<"},  // the hour keeps its leading zero
    {{11, 59, 59}, true, "11:59:59;"},
    {{23, 0, 0}, true, "11:00:00<"},
    {{-1, 75, -9}, false, "00:59:00"},  // out-of-range fields are clamped
    {{99, 0, 60}, true, "11:00:59<"},
};

bool AllGlyphs(const char* text) {
  for (const char* p = text; *p; ++p)
    if (*p < kFirstGlyph || *p > kLastGlyph) return false;
  return true;
}

TEST(ClockText, FollowsTheDialRules) {
  for (const ClockCase& c : kClockCases) {
    char text[kClockTextBytes];
    BuildClockText(c.time, c.twelveHour, text);
    EXPECT_STREQ(text, c.text) << c.time.hour << ":" << c.time.minute << ":" << c.time.second << " 12h "
                               << c.twelveHour;
  }
}

TEST(ClockText, EveryTimeOfDayUsesGlyphCharactersOnly) {
  for (int twelveHour = 0; twelveHour < 2; ++twelveHour)
    for (int hour = 0; hour < 24; ++hour) {
      char text[kClockTextBytes];
      BuildClockText(LocalClockTime{hour, 59, 0}, twelveHour != 0, text);
      EXPECT_TRUE(AllGlyphs(text)) << text;
      EXPECT_EQ(std::strlen(text), twelveHour ? 9u : 8u) << text;
    }
}

TEST(FrameRateText, IsTheRateInDecimal) {
  const struct {
    int rate;
    const char* text;
  } cases[] = {{0, "0"}, {7, "7"}, {1234, "1234"}, {INT_MAX, "2147483647"}, {-5, "0"}, {INT_MIN, "0"}};
  for (const auto& c : cases) {
    char text[kFrameRateTextBytes];
    BuildFrameRateText(c.rate, text);
    EXPECT_STREQ(text, c.text) << c.rate;
    EXPECT_TRUE(AllGlyphs(text)) << text;
  }
}

}  // namespace
