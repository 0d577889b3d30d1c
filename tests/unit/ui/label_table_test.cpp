// Label table: UTF-8 decoding into UTF-16, key lookup rules, the about text
// split, and the shipped resources/labels.txt loaded through the
// resource path the program uses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/native_platform.h"
#include "ui/label_table.h"

namespace {

// Parses text (given as UTF-8 bytes) into a fresh table.
LabelTable ParseText(const std::string& text) {
  LabelTable table;
  table.Parse(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
  return table;
}

// Decodes every unit of bytes from an exactly sized heap copy, so that ASan
// reports a read past the end.
std::vector<uint32_t> DecodeAll(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> exact(bytes);
  std::vector<uint32_t> codePoints;
  const uint8_t* cursor = exact.data();
  const uint8_t* end = exact.data() + exact.size();
  while (cursor < end) codePoints.push_back(DecodeUtf8(&cursor, end));
  EXPECT_EQ(cursor, end);
  return codePoints;
}

const char kSmallTable[] =
    "\xEF\xBB\xBF#first#\r\n"
    "First text\r\n"
    "; a comment line\r\n"
    "#Show_FPS#\r\n"
    "Show FPS\r\n"
    "#camera_options#\r\n"
    "Camera Options\r\n"
    "#camera_speed#\r\n"
    "Camera Speed\r\n"
    "#accent#\n"
    "caf\xC3\xA9\n"
    "#cyrillic#\n"
    "\xD0\x94\xD0\xB0\n"
    "#beyond_bmp#\n"
    "\xF0\x9F\x8C\x8D!\n"
    "#last_key#";

}  // namespace

TEST(LabelTable, LooksKeysUpByTheirRules) {
  LabelTable table = ParseText(kSmallTable);
  struct Case {
    const char* key;
    std::u16string text;
  } cases[] = {
      // key            expected text (empty: not found)
      {"first", u"First text"},          // after the byte order mark
      {"show_fps", u"Show FPS"},         // key line written with capitals
      {"SHOW_FPS", u"Show FPS"},         // key given with capitals
      {"Show_Fps", u"Show FPS"},
      {"camera_speed", u"Camera Speed"},
      {"camera", u""},                   // only longer key lines start with it
      {"camera_options", u"Camera Options"},
      {"last_key", u""},                 // its key line is the last line
      {"missing", u""},
      {"accent", u"caf\u00E9"},
      {"cyrillic", u"\u0414\u0430"},
      {"beyond_bmp", u"\U0001F30D!"},    // a surrogate pair
  };
  for (const Case& c : cases) EXPECT_EQ(table.Find(c.key), c.text) << c.key;
}

TEST(LabelTable, StoresEveryLineWithoutLineEndsOrByteOrderMark) {
  LabelTable table = ParseText(kSmallTable);
  ASSERT_EQ(table.count, 16);
  EXPECT_EQ(table.lines[0], u"#first#");
  EXPECT_EQ(table.lines[2], u"; a comment line");
  EXPECT_EQ(table.lines[3], u"#show_fps#");  // lowered between the two "#"
  EXPECT_EQ(table.lines[10], u"caf\u00E9");
  EXPECT_EQ(table.lines[15], u"#last_key#");
}

TEST(LabelTable, KeepsTheFirstTwoHundredLines) {
  std::string text;
  for (int i = 0; i < 99; ++i) text += "#k" + std::to_string(i) + "#\r\nt" + std::to_string(i) + "\r\n";
  text += "#inside#\r\nlast stored\r\n#outside#\r\nnot stored\r\n";
  LabelTable table = ParseText(text);
  EXPECT_EQ(table.count, kMaxLabelLines);
  EXPECT_EQ(table.Find("k98"), u"t98");
  EXPECT_EQ(table.Find("inside"), u"last stored");
  EXPECT_EQ(table.Find("outside"), u"");
}

TEST(LabelTable, DecodesOneToFourByteSequencesAndSkipsMalformedBytes) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> codePoints;
  } cases[] = {
      {"ascii", {'A', 0x0D, 0x0A}, {'A', 13, 10}},
      {"two bytes", {0xC3, 0xA9}, {0xE9}},
      {"three bytes", {0xE2, 0x82, 0xAC}, {0x20AC}},
      {"byte order mark", {0xEF, 0xBB, 0xBF, 'x'}, {0, 'x'}},
      {"lone continuation", {0x80, 'x'}, {0, 'x'}},
      {"four bytes", {0xF0, 0x9F, 0x98, 0x80}, {0x1F600}},
      {"beyond U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, {0, 0, 0, 0}},
      {"four-byte lead cut by end", {0xF0, 0x9F, 0x98}, {0, 0, 0}},
      {"lead cut by end", {'x', 0xE2, 0x82}, {'x', 0, 0}},
      {"two-byte lead at end", {0xC3}, {0}},
      {"lead before line end", {0xC3, 0x0D, 0x0A}, {0, 13, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeAll(c.bytes), c.codePoints) << c.name;
}

TEST(LabelTable, MalformedBytesDoNotSwallowLineEnds) {
  LabelTable table = ParseText("#a#\r\nx\xE2\r\n#b#\r\ny\xC3");
  EXPECT_EQ(table.Find("a"), u"x");
  EXPECT_EQ(table.Find("b"), u"y");
}

TEST(LabelTable, SplitsTheAboutTextIntoSevenLines) {
  FillAboutLines(u"Name%%Credit one%Credit two%%Close one%Close two%dropped");
  const char16_t* expected[kAboutLineCount] = {u"Name", u"", u"Credit one", u"Credit two", u"", u"Close one",
                                               u"Close two"};
  for (int i = 0; i < kAboutLineCount; ++i) EXPECT_EQ(aboutLines[i], expected[i]) << i;
  FillAboutLines(u"Only one");
  EXPECT_EQ(aboutLines[0], u"Only one");
  EXPECT_EQ(aboutLines[6], u"");
}

TEST(LabelTable, ShippedTableHoldsEveryLabelAndTheAboutText) {
  native_platform::ResetAll();
  ResetLabels();
  ASSERT_TRUE(native_platform::AddResourceFile("CustomData", kLabelResourceId,
                                               TERRAVA_SOURCE_DIR "/resources/labels.txt"));
  ASSERT_TRUE(LoadLabelTable());
  struct Label {
    const char* key;
    const char16_t* text;
  } labels[] = {
      // key                          text
      {"screensaver_configuration", u"Terrava Configuration"},
      {"video_mode_selection", u"Video Mode"},
      {"use_desktop_settings", u"Use Desktop Settings"},
      {"vsync", u"VSync"},
      {"sound_control", u"Sound Control"},
      {"master_volume:", u"Master Volume:"},
      {"enable_music", u"Enable Music"},
      {"gamma_control", u"Gamma Control"},
      {"brightness", u"Brightness"},
      {"use_by_default", u"Use Default Setting"},
      {"products", u"Products"},
      {"visit_our_official_web-site", u"The user guide: pictures, credits, licence and source code"},
      {"options", u"Options"},
      {"show_fps", u"Show FPS"},
      {"show_time", u"Show Time"},
      {"24h_style", u"24 hrs."},
      {"12h_style", u"12 hrs."},
      {"exit_on_mouse_move", u"Exit on Mouse Move"},
      {"camera_options", u"Camera Options"},
      {"camera_speed", u"Camera Speed"},
      {"show_real_day_night", u"Show the real day and night"},
      {"visit...", u"Visit..."},
      {"about", u"About"},
      {"restore_defaults", u"Restore Defaults"},
      {"ok", u"OK"},
      {"cancel", u"Cancel"},
      {"enable_sfx", u"Enable SFX"},
      {"screensaver_name", u"Terrava"},
  };
  for (const Label& label : labels) EXPECT_EQ(GetLabel(label.key), label.text) << label.key;
  for (int i = 0; i < kAboutLineCount; ++i) EXPECT_EQ(aboutLines[i].empty(), i == 1 || i == 4) << "about line " << i;
  EXPECT_EQ(aboutLines[0], u"Terrava 3D Screensaver");
  ResetLabels();
  native_platform::ResetAll();
}

TEST(LabelTable, MissingResourceGivesEmptyLabels) {
  native_platform::ResetAll();
  ResetLabels();
  EXPECT_FALSE(LoadLabelTable());
  EXPECT_EQ(GetLabel("ok"), u"");
  EXPECT_EQ(aboutLines[0], u"");
}
