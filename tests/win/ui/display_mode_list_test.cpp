// The configuration dialog's display-mode list under Wine, in a real combo
// box: the modes listed, and the mode selected with and without UseDesktop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/saver_settings.h"
#include "ui/display_mode_list_win32.h"

namespace {

// The desktop's mode as the system reports it, read here independently of
// ReadDesktopMode.
DisplayMode CurrentMode() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}

class DisplayModeList : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    combo = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 200, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
  }
  void TearDown() override {
    DestroyWindow(combo);
    ResetSettings();
  }
  std::string ItemText(LRESULT index) {
    char text[kDisplayModeTextCapacity] = "";
    if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) < LRESULT(sizeof text))
      SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  HWND combo = nullptr;
};

TEST_F(DisplayModeList, ModeListHoldsLargeDeepModesOncePerRun) {
  settings.UseDesktop = false;
  DisplayMode desktop = CurrentMode();
  settings.Width = int32_t(desktop.width);
  settings.Height = int32_t(desktop.height);
  settings.Depth = int32_t(desktop.bits);
  FillDisplayModeList(combo);
  SelectDisplayMode(combo);
  LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  ASSERT_GT(count, 0);
  std::string previous;
  for (LRESULT i = 0; i < count; ++i) {
    std::string text = ItemText(i);
    DisplayMode m;
    ASSERT_TRUE(ParseDisplayMode(text.c_str(), &m)) << text;
    EXPECT_GE(m.width, 640u) << text;
    EXPECT_GE(m.height, 480u) << text;
    EXPECT_GE(m.bits, 16u) << text;
    EXPECT_NE(text, previous);
    EXPECT_NE(text.find(" bits"), std::string::npos);
    previous = text;
  }
  LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  ASSERT_NE(selected, CB_ERR);
  char expected[kDisplayModeTextCapacity];
  FormatDisplayMode(desktop, expected, sizeof expected);
  EXPECT_EQ(ItemText(selected), expected);
  EXPECT_TRUE(IsWindowEnabled(combo));
}

TEST_F(DisplayModeList, DesktopModeIsSelectedAndTheListDisabled) {
  settings.UseDesktop = true;
  settings.Width = 1;  // ignored with UseDesktop
  FillDisplayModeList(combo);
  SelectDisplayMode(combo);
  char expected[kDisplayModeTextCapacity];
  FormatDisplayMode(CurrentMode(), expected, sizeof expected);
  EXPECT_EQ(ItemText(SendMessageA(combo, CB_GETCURSEL, 0, 0)), expected);
  EXPECT_FALSE(IsWindowEnabled(combo));
}

}  // namespace
