// The display-mode list filter and the text form of a mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/display_mode.h"

namespace {

std::vector<std::string> Listed(const std::vector<DisplayMode>& modes) {
  DisplayModeFilter filter;
  std::vector<std::string> out;
  for (const DisplayMode& m : modes) {
    if (!filter.Accept(m)) continue;
    char text[kDisplayModeTextCapacity];
    FormatDisplayMode(m, text, sizeof text);
    out.push_back(text);
  }
  return out;
}

TEST(DisplayModeFilter, SmallShallowAndRepeatedModesAreLeftOut) {
  // 640x480x8, then 800x600x16 at 60 Hz and at 75 Hz: one entry.
  EXPECT_EQ(Listed({{640, 480, 8}, {800, 600, 16}, {800, 600, 16}}),
            std::vector<std::string>{"800 x 600 16 bits"});
  EXPECT_EQ(Listed({{639, 480, 32}, {640, 479, 32}, {640, 480, 15}, {640, 480, 16}}),
            std::vector<std::string>{"640 x 480 16 bits"});
}

TEST(DisplayModeFilter, OnlyTheImmediatelyPrecedingListedModeCounts) {
  EXPECT_EQ(Listed({{800, 600, 32}, {1024, 768, 32}, {800, 600, 32}}),
            (std::vector<std::string>{"800 x 600 32 bits", "1024 x 768 32 bits", "800 x 600 32 bits"}));
  // A skipped small mode between two equal ones does not break the run.
  EXPECT_EQ(Listed({{800, 600, 32}, {320, 200, 32}, {800, 600, 32}}),
            std::vector<std::string>{"800 x 600 32 bits"});
  EXPECT_EQ(Listed({{1024, 768, 16}, {1024, 768, 32}, {768, 1024, 32}}),
            (std::vector<std::string>{"1024 x 768 16 bits", "1024 x 768 32 bits", "768 x 1024 32 bits"}));
}

TEST(DisplayModeText, ReadsBackWhatItWrites) {
  for (DisplayMode m : {DisplayMode{1024, 768, 32}, DisplayMode{3840, 2160, 32}, DisplayMode{640, 480, 16}}) {
    char text[kDisplayModeTextCapacity];
    FormatDisplayMode(m, text, sizeof text);
    DisplayMode back;
    ASSERT_TRUE(ParseDisplayMode(text, &back)) << text;
    EXPECT_EQ(back.width, m.width);
    EXPECT_EQ(back.height, m.height);
    EXPECT_EQ(back.bits, m.bits);
  }
}

TEST(DisplayModeText, RejectsTextWithoutThreeNumbers) {
  DisplayMode m{1, 2, 3};
  for (const char* text : {"", "800", "800 x", "800 x 600", "800 600 32", "x 600 32 bits"})
    EXPECT_FALSE(ParseDisplayMode(text, &m)) << text;
  EXPECT_EQ(m.width, 1u);
  ASSERT_TRUE(ParseDisplayMode("800x600 32", &m));
  EXPECT_EQ(m.height, 600u);
  ASSERT_TRUE(ParseDisplayMode("99999999999 x 1 1 bits", &m));
  EXPECT_EQ(m.width, UINT32_MAX);
}

}  // namespace
