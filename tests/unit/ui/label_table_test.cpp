// Label table: UTF-8 decoding, key lookup rules, narrowing to 8 bits, the
// about text split, and the shipped resources/labels.txt loaded through the
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
std::vector<uint16_t> DecodeAll(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> exact(bytes);
  std::vector<uint16_t> units;
  const uint8_t* cursor = exact.data();
  const uint8_t* end = exact.data() + exact.size();
  while (cursor < end) units.push_back(DecodeUtf8Unit(&cursor, end));
  EXPECT_EQ(cursor, end);
  return units;
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
    "#last_key#";

}  // namespace

TEST(LabelTable, LooksKeysUpByTheirRules) {
  LabelTable table = ParseText(kSmallTable);
  struct Case {
    const char* key;
    std::string text;
  } cases[] = {
      // key            expected text (empty: not found)
      {"first", "First text"},          // after the byte order mark
      {"show_fps", "Show FPS"},         // key line written with capitals
      {"SHOW_FPS", "Show FPS"},         // key given with capitals
      {"Show_Fps", "Show FPS"},
      {"camera_speed", "Camera Speed"},
      {"camera", ""},                   // only longer key lines start with it
      {"camera_options", "Camera Options"},
      {"last_key", ""},                 // its key line is the last line
      {"missing", ""},
      {"accent", "caf\xE9"},            // U+00E9 narrows to the byte 0xE9
      {"cyrillic", "\x14\x30"},         // U+0414 U+0430 narrow to their low bytes
  };
  for (const Case& c : cases) EXPECT_EQ(table.Find(c.key), c.text) << c.key;
}

TEST(LabelTable, StoresEveryLineWithoutLineEndsOrByteOrderMark) {
  LabelTable table = ParseText(kSmallTable);
  ASSERT_EQ(table.count, 14);
  EXPECT_EQ(table.lines[0], u"#first#");
  EXPECT_EQ(table.lines[2], u"; a comment line");
  EXPECT_EQ(table.lines[3], u"#show_fps#");  // lowered between the two "#"
  EXPECT_EQ(table.lines[10], u"caf\u00E9");
  EXPECT_EQ(table.lines[13], u"#last_key#");
}

TEST(LabelTable, KeepsTheFirstTwoHundredLines) {
  std::string text;
  for (int i = 0; i < 99; ++i) text += "#k" + std::to_string(i) + "#\r\nt" + std::to_string(i) + "\r\n";
  text += "#inside#\r\nlast stored\r\n#outside#\r\nnot stored\r\n";
  LabelTable table = ParseText(text);
  EXPECT_EQ(table.count, kMaxLabelLines);
  EXPECT_EQ(table.Find("k98"), "t98");
  EXPECT_EQ(table.Find("inside"), "last stored");
  EXPECT_EQ(table.Find("outside"), "");
}

TEST(LabelTable, DecodesOneToThreeByteSequencesAndSkipsMalformedBytes) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<uint16_t> units;
  } cases[] = {
      {"ascii", {'A', 0x0D, 0x0A}, {'A', 13, 10}},
      {"two bytes", {0xC3, 0xA9}, {0xE9}},
      {"three bytes", {0xE2, 0x82, 0xAC}, {0x20AC}},
      {"byte order mark", {0xEF, 0xBB, 0xBF, 'x'}, {0, 'x'}},
      {"lone continuation", {0x80, 'x'}, {0, 'x'}},
      {"four-byte lead", {0xF0, 0x9F, 0x98, 0x80}, {0, 0, 0, 0}},
      {"lead cut by end", {'x', 0xE2, 0x82}, {'x', 0, 0}},
      {"two-byte lead at end", {0xC3}, {0}},
      {"lead before line end", {0xC3, 0x0D, 0x0A}, {0, 13, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeAll(c.bytes), c.units) << c.name;
}

TEST(LabelTable, MalformedBytesDoNotSwallowLineEnds) {
  LabelTable table = ParseText("#a#\r\nx\xE2\r\n#b#\r\ny\xC3");
  EXPECT_EQ(table.Find("a"), "x");
  EXPECT_EQ(table.Find("b"), "y");
}

TEST(LabelTable, SplitsTheAboutTextIntoSevenLines) {
  FillAboutLines("Name%%Credit one%Credit two%%Close one%Close two%dropped");
  const char* expected[kAboutLineCount] = {"Name", "", "Credit one", "Credit two", "", "Close one", "Close two"};
  for (int i = 0; i < kAboutLineCount; ++i) EXPECT_EQ(aboutLines[i], expected[i]) << i;
  FillAboutLines("Only one");
  EXPECT_EQ(aboutLines[0], "Only one");
  EXPECT_EQ(aboutLines[6], "");
}

TEST(LabelTable, ShippedTableHoldsEveryLabelAndTheAboutText) {
  native_platform::ResetAll();
  ResetLabels();
  ASSERT_TRUE(native_platform::AddResourceFile("CustomData", kLabelResourceId,
                                               TERRAVA_SOURCE_DIR "/resources/labels.txt"));
  ASSERT_TRUE(LoadLabelTable());
  const char* labels[][2] = {
      // key                          text
      {"screensaver_configuration", "Terrava Configuration"},
      {"video_mode_selection", "Video Mode"},
      {"use_desktop_settings", "Use Desktop Settings"},
      {"vsync", "VSync"},
      {"sound_control", "Sound Control"},
      {"master_volume:", "Master Volume:"},
      {"enable_music", "Enable Music"},
      {"gamma_control", "Gamma Control"},
      {"brightness", "Brightness"},
      {"use_by_default", "Use Default Setting"},
      {"products", "Products"},
      {"visit_our_official_web-site", "Visit our official web-site for more great 3D screensavers"},
      {"options", "Options"},
      {"show_fps", "Show FPS"},
      {"show_time", "Show Time"},
      {"24h_style", "24 hrs."},
      {"12h_style", "12 hrs."},
      {"exit_on_mouse_move", "Exit on Mouse Move"},
      {"camera_options", "Camera Options"},
      {"camera_speed", "Camera Speed"},
      {"visit...", "Visit..."},
      {"about", "About"},
      {"restore_defaults", "Restore Defaults"},
      {"ok", "OK"},
      {"cancel", "Cancel"},
      {"enable_sfx", "Enable SFX"},
      {"screensaver_name", "Terrava"},
  };
  for (auto& label : labels) EXPECT_EQ(GetLabel(label[0]), label[1]) << label[0];
  for (int i = 0; i < kAboutLineCount; ++i)
    EXPECT_EQ(aboutLines[i].empty(), i == 1 || i == 4) << "about line " << i << ": " << aboutLines[i];
  EXPECT_EQ(aboutLines[0], "Terrava 3D Screensaver");
  ResetLabels();
  native_platform::ResetAll();
}

TEST(LabelTable, MissingResourceGivesEmptyLabels) {
  native_platform::ResetAll();
  ResetLabels();
  EXPECT_FALSE(LoadLabelTable());
  EXPECT_EQ(GetLabel("ok"), "");
  EXPECT_EQ(aboutLines[0], "");
}
