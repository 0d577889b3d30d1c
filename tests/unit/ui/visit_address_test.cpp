// The Visit... button opens the user guide: the address it computes from
// the program's folder and the install folder, in that order of preference.
#include <gtest/gtest.h>

#include <string>

#include "ui/user_guide_path.h"

namespace {

// The files this stand-in file system holds.
bool GuideExists(const std::u16string& path) {
  return path == u"C:\\Release\\terrava-guide.html" || path == u"C:\\Program Files\\Korvane\\Terrava\\terrava-guide.html";
}

}  // namespace

TEST(UserGuidePath, TakesTheFolderOfTheProgramPath) {
  EXPECT_EQ(FolderOfPath(u"C:\\Windows\\System32\\terrava.scr"), u"C:\\Windows\\System32\\");
  EXPECT_EQ(FolderOfPath(u"D:/unpacked/terrava.scr"), u"D:/unpacked/");
  EXPECT_EQ(FolderOfPath(u"terrava.scr"), u"");
  EXPECT_EQ(FolderOfPath(u""), u"");
}

TEST(UserGuidePath, PrefersTheProgramsFolderThenTheInstallFolder) {
  struct Case {
    const char* what;
    std::u16string programFolder;
    std::u16string installFolder;  // as the installer records it: no trailing separator
    std::u16string guide;          // expected address; empty: Visit... has nothing to open
  } cases[] = {
      {"release folder", u"C:\\Release\\", u"C:\\Program Files\\Korvane\\Terrava",
       u"C:\\Release\\terrava-guide.html"},
      {"installed saver", u"C:\\Windows\\System32\\", u"C:\\Program Files\\Korvane\\Terrava",
       u"C:\\Program Files\\Korvane\\Terrava\\terrava-guide.html"},
      {"install folder with separator", u"C:\\Windows\\System32\\", u"C:\\Program Files\\Korvane\\Terrava\\",
       u"C:\\Program Files\\Korvane\\Terrava\\terrava-guide.html"},
      {"copied by hand, not installed", u"C:\\Windows\\System32\\", u"", u""},
      {"recorded folder without the page", u"C:\\Windows\\System32\\", u"C:\\Elsewhere", u""},
      {"no program folder", u"", u"C:\\Program Files\\Korvane\\Terrava",
       u"C:\\Program Files\\Korvane\\Terrava\\terrava-guide.html"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FirstUserGuide({c.programFolder, c.installFolder}, GuideExists), c.guide) << c.what;
}
