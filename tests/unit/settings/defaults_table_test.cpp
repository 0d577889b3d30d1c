// The defaults text parser (line ends, cleaning, comments, malformed
// lines), the lookups and the defaults pass, including the shipped
// def_settings.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/native_platform.h"
#include "settings/defaults_problems.h"
#include "settings/defaults_table.h"

namespace {

class DefaultsTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    native_platform::ResetAll();
  }
  void TearDown() override {
    ResetSettings();
    native_platform::ResetAll();
  }
  static void Parse(const std::string& text) {
    ParseDefaultsText(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()),
                      &defaultsTable);
  }
  static std::vector<std::string> Pairs() {
    std::vector<std::string> out;
    for (const DefaultsEntry& e : defaultsTable.entries) out.push_back(e.key + "|" + e.value);
    return out;
  }
};

struct ParseCase {
  const char* what;
  std::string text;
  std::vector<std::string> pairs;  // key|value in file order
  uint32_t malformed;              // lines without '='
};

TEST_F(DefaultsTableTest, ParsesLinesByTheCarriageReturnAndCleaningRules) {
  const ParseCase cases[] = {
      // what                          text                                      pairs
      {"shipped entry form", "Music\t\t= TRUE;\t; play it\r\n", {"Music|TRUE"}, 0},
      {"CR alone ends a line", "a=1\rb=2\r", {"a|1", "b|2"}, 0},
      {"second LF dropped by cleaning", "a=1\r\n\nb=2", {"a|1", "b|2"}, 0},
      {"empty lines skipped", "\r\n\r\n  \t\r\nx=y\r\n", {"x|y"}, 0},
      {"LF-only file is one line", "a = 1;\nb = 2;\nc = 3;\n", {"a|1"}, 0},
      {"comment lines skipped", "; \xCA\xEE\xEC\xEC\xE5\xED\xF2\r\nk=v\r\n", {"k|v"}, 0},
      {"bytes 0x80 and up vanish", "\xCC\xF3\xE7Music\xFB=tr\xE0ue\r\n", {"Music|true"}, 0},
      {"DEL and control bytes", "k\x01=\x7Fv\x1F\r\n", {"k|\x7Fv"}, 0},
      {"value keeps further '='", "k = a=b ; c=d\r\n", {"k|a=b"}, 0},
      {"last line without CR", "a=1\r\nb=2", {"a|1", "b|2"}, 0},
      {"line without '=' kept", "oops;x=1\r\nk=v\r\n", {"oops|oops", "k|v"}, 1},
      {"empty key and value", "=\r\n", {"|"}, 0},
  };
  for (const ParseCase& c : cases) {
    ResetSettings();
    native_platform::ResetAll();
    Parse(c.text);
    EXPECT_EQ(Pairs(), c.pairs) << c.what;
    EXPECT_EQ(defaultsTable.malformedLines, c.malformed) << c.what;
    EXPECT_TRUE(native_platform::Messages().empty()) << c.what;  // parsing is silent
  }
}

TEST_F(DefaultsTableTest, StartUpLoadShowsOneMessagePerMalformedLine) {
  native_platform::AddResource("CustomData", kDefaultsResourceId, "a\r\nb=1\r\nc\r\n", 11);
  LoadDefaultsTableShowingProblems();
  ASSERT_EQ(native_platform::Messages().size(), 2u);
  for (const RecordedMessage& m : native_platform::Messages()) {
    EXPECT_EQ(m.text, kMalformedDefaultsLineText);
    EXPECT_EQ(m.caption, "");
  }
}

TEST_F(DefaultsTableTest, KeepsAtMostTheTableCapacity) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  Parse(text);
  ASSERT_EQ(defaultsTable.entries.size(), kMaxDefaultsEntries);
  EXPECT_EQ(defaultsTable.entries.back().key, "k99");
}

TEST_F(DefaultsTableTest, LookupIgnoresCaseOfKeyAndLowersTheValue) {
  Parse("ShowTime = TRUE;\r\nMW = 1024\r\nShowTime = false\r\n");
  EXPECT_EQ(LookupDefault("showtime"), "true");
  EXPECT_EQ(LookupDefault("SHOWTIME"), "true");  // the first entry wins
  EXPECT_EQ(LookupDefault("mw"), "1024");
  EXPECT_TRUE(native_platform::Messages().empty());
}

TEST_F(DefaultsTableTest, MissingKeyYieldsNothingSilently) {
  Parse("a=1\r\n");
  std::string value = "x";
  EXPECT_FALSE(FindDefault("CameraSpeed", &value));
  EXPECT_EQ(value, "");
  EXPECT_EQ(LookupDefault("CameraSpeed"), "");
  EXPECT_EQ(DefaultValue("CameraSpeed"), 0);
  EXPECT_TRUE(native_platform::Messages().empty());
}

TEST_F(DefaultsTableTest, DefaultValueReadsBooleansAndLeadingIntegers) {
  const struct {
    const char* value;
    int32_t expected;
  } cases[] = {
      {"true", 1},          {"False", 0},    {"TRUE", 1},      {"42", 42},
      {"-7", -7},           {"+5", 5},       {"12abc", 12},    {"abc", 0},
      {"", 0},              {"yes", 0},      {"truex", 0},     {"99999999999", INT32_MAX},
      {"-99999999999", INT32_MIN},           {"-2147483648", INT32_MIN},
  };
  for (const auto& c : cases) {
    ResetSettings();
    Parse(std::string("k=") + c.value + "\r\n");
    EXPECT_EQ(DefaultValue("k"), c.expected) << c.value;
  }
  EXPECT_TRUE(native_platform::Messages().empty());
}

TEST_F(DefaultsTableTest, ShippedResourceYieldsTheFactoryDefaults) {
  ASSERT_TRUE(native_platform::AddResourceFile("CustomData", kDefaultsResourceId,
                                                TERRAVA_SOURCE_DIR "/resources/def_settings.txt"));
  LoadDefaultsTable();
  SaverSettings s;
  s.ShowFlame = true;  // no defaults key: left as it is
  s.VSync = true;
  ApplyDefaults(s);
  EXPECT_TRUE(native_platform::Messages().empty());
  EXPECT_TRUE(s.EnableMusic);
  EXPECT_TRUE(s.ShowClock);
  EXPECT_TRUE(s.ShowFlame);
  EXPECT_FALSE(s.ShowFPS);
  EXPECT_TRUE(s.VSync);
  EXPECT_TRUE(s.UseDesktop);
  EXPECT_FALSE(s.MouseExit);
  EXPECT_TRUE(s.DefGamma);
  EXPECT_TRUE(s.TimeFormat);
  EXPECT_EQ(s.Speed, 50);
  EXPECT_EQ(s.Volume, 55);
  EXPECT_EQ(s.Gamma, 50);
  EXPECT_EQ(s.Width, 800);
  EXPECT_EQ(s.Height, 600);
  EXPECT_EQ(s.Depth, 32);
  // The keys that no code reads are there too.
  for (const char* key : {"SFX", "FSAA", "ShowFlame", "VSync", "WideScreen", "MultiTexture",
                          "ViewPortBottom", "ViewPortTop", "ViewPortHeight"})
    EXPECT_NE(LookupDefault(key), "") << key;
  EXPECT_TRUE(native_platform::Messages().empty());
}

TEST_F(DefaultsTableTest, MissingResourceLeavesTheTableEmpty) {
  LoadDefaultsTable();
  EXPECT_TRUE(defaultsTable.entries.empty());
  EXPECT_TRUE(native_platform::Messages().empty());
}

TEST_F(DefaultsTableTest, ApplyDefaultsAsksForTheKeysInTheFixedOrder) {
  SaverSettings s;
  s.Width = 1;
  ApplyDefaultsShowingProblems(s);
  std::vector<std::string> captions;
  for (const RecordedMessage& m : native_platform::Messages()) {
    EXPECT_EQ(m.text, kMissingDefaultsKeyText);
    captions.push_back(m.caption);
  }
  const std::vector<std::string> expected = {
      "mw",       "mh",        "mbitcount",       "music",   "musicvolume", "showtime",   "digclock_24h",
      "gammcontrol", "defgamma", "exitonmousemove", "showfps", "usedktpset",  "cameraspeed",
      "realdaynight"};
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(s.Width, 0);
  EXPECT_EQ(s.Gamma, 0);  // GammControl 0 less the bias, held to the slider's range
}

TEST_F(DefaultsTableTest, GammaIsTheControlValueLessFifty) {
  Parse("GammControl = 130\r\n");
  SaverSettings s;
  ApplyDefaults(s);
  EXPECT_EQ(s.Gamma, 80);
}

}  // namespace
