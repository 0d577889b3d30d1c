// ParseCommandLine on full command lines, program name included.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

struct CommandLineCase {
  const char* line;
  RunMode mode;
  uint32_t parentWindow;
};

void ExpectCases(const CommandLineCase* begin, const CommandLineCase* end) {
  for (const CommandLineCase* c = begin; c != end; ++c) {
    uint32_t parent = 12345;
    EXPECT_EQ(ParseCommandLine(c->line, &parent), c->mode) << c->line;
    EXPECT_EQ(parent, c->parentWindow) << c->line;
  }
}

TEST(ParseCommandLine, ConfigModeWithAndWithoutWindow) {
  const CommandLineCase cases[] = {
      // command line                       mode               parent
      {"terrava.scr", RunMode::Config, 0},
      {"", RunMode::Config, 0},
      {"terrava.scr ", RunMode::Config, 0},
      {"terrava.scr /c:3342", RunMode::Config, 3342},
      {"terrava.scr /C", RunMode::Config, 0},
      {"terrava.scr -c 77 /p 5", RunMode::Config, 77},
      {"terrava.scr /c:abc", RunMode::Config, 0},
  };
  ExpectCases(std::begin(cases), std::end(cases));
  uint32_t parent = 9;
  EXPECT_EQ(ParseCommandLine(nullptr, &parent), RunMode::Config);
  EXPECT_EQ(parent, 0u);
}

TEST(ParseCommandLine, PreviewTakesTheFirstNumberAfterTheLetter) {
  const CommandLineCase cases[] = {
      {"terrava.scr /p 65812", RunMode::Preview, 65812},
      {"terrava.scr /P:65812", RunMode::Preview, 65812},
      {"terrava.scr -p", RunMode::Preview, 0},
      {"terrava.scr /p 12x34", RunMode::Preview, 12},
      {"terrava.scr /p -5", RunMode::Preview, 5},
      {"terrava.scr /p 99999999999999999999", RunMode::Preview, kMaxParentWindow},
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

TEST(ParseCommandLine, SaverAndTestModes) {
  const CommandLineCase cases[] = {
      {"terrava.scr /s", RunMode::Saver, 0},
      {"terrava.scr /S", RunMode::Saver, 0},
      {"terrava.scr -x", RunMode::Saver, 0},
      {"terrava.scr /", RunMode::Saver, 0},
      {"terrava.scr /t", RunMode::Test, 0},
      {"terrava.scr /T 42", RunMode::Test, 0},
      {"terrava.scr /s /c", RunMode::Saver, 0},  // only the first switch counts
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

TEST(ParseCommandLine, ProgramNameIsSkippedBeforeLookingForASwitch) {
  const CommandLineCase cases[] = {
      {"\"C:\\Program Files\\a-b.scr\" /p 12", RunMode::Preview, 12},
      {"\"C:\\Program Files\\a-b.scr\"", RunMode::Config, 0},
      {"\"C:\\unterminated-quote /s", RunMode::Config, 0},
      {"C:\\a-b.scr /s", RunMode::Saver, 0},
      {"C:\\a-b.scr", RunMode::Config, 0},
      {"a.scr  /c:5", RunMode::Config, 5},  // only one space belongs to the name
      {"/s", RunMode::Config, 0},           // the name itself was "/s"
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

}  // namespace
