// Display modes, the cursor and the gamma ramp under Wine: the mode list
// in a real combo box, the restore of mode and cursor, and the restore of
// the ramp that was in effect before the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/display_mode.h"
#include "app/display_settings.h"
#include "app/gamma_control.h"
#include "app/gamma_ramp.h"
#include "settings/saver_settings.h"

namespace {

DisplayMode CurrentMode() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}

// The cursor display counter (ShowCursor's result without changing it).
int CursorCounter() {
  int counter = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return counter - 1;
}

class DisplaySettings : public ::testing::Test {
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

TEST_F(DisplaySettings, ModeListHoldsLargeDeepModesOncePerRun) {
  settings.UseDesktop = false;
  DisplayMode desktop = CurrentMode();
  settings.Width = int32_t(desktop.width);
  settings.Height = int32_t(desktop.height);
  settings.Depth = int32_t(desktop.bits);
  FillDisplayModeList(combo);
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

TEST_F(DisplaySettings, DesktopModeIsSelectedAndTheListDisabled) {
  settings.UseDesktop = true;
  settings.Width = 1;  // ignored with UseDesktop
  FillDisplayModeList(combo);
  char expected[kDisplayModeTextCapacity];
  FormatDisplayMode(CurrentMode(), expected, sizeof expected);
  EXPECT_EQ(ItemText(SendMessageA(combo, CB_GETCURSEL, 0, 0)), expected);
  EXPECT_FALSE(IsWindowEnabled(combo));
}

TEST_F(DisplaySettings, ModeAndCursorComeBackAndRestoringTwiceIsHarmless) {
  DisplayMode before = CurrentMode();
  int cursor = CursorCounter();
  settings.Width = 640;
  settings.Height = 480;
  settings.Depth = 32;
  ChangeDisplayMode();
  EXPECT_EQ(CursorCounter(), cursor - 1);
  RestoreDisplayMode();
  RestoreCursor();
  RestoreDisplayMode();
  RestoreCursor();
  EXPECT_EQ(CursorCounter(), cursor);
  DisplayMode after = CurrentMode();
  EXPECT_EQ(after.width, before.width);
  EXPECT_EQ(after.height, before.height);
}

// With UseDesktop a stored mode that differs from the desktop's is not
// switched to (and so nothing is put back at the end).
TEST_F(DisplaySettings, UseDesktopSwitchesNoMode) {
  DisplayMode before = CurrentMode();
  settings.UseDesktop = true;
  settings.Width = 640;
  settings.Height = 480;
  settings.Depth = 32;
  ChangeDisplayMode();
  DisplayMode during = CurrentMode();
  RestoreDisplayMode();
  RestoreCursor();
  EXPECT_EQ(during.width, before.width);
  EXPECT_EQ(during.height, before.height);
}

// The save-and-restore rule itself is tested natively (gamma_keeper_test);
// here it runs on a real device context. Xvfb offers no gamma ramps, so
// under it the test can only show that nothing is left changed.
TEST(GammaControl, TheRampInEffectBeforeComesBack) {
  HDC dc = GetDC(nullptr);
  GammaRamp before;
  bool readable = GetDeviceGammaRamp(dc, &before) != FALSE;
  GammaRamp calibrated;
  BuildGammaRamp(0.9f, 1.0f, 1.1f, &calibrated);
  bool settable = readable && SetDeviceGammaRamp(dc, &calibrated) != FALSE;
  bool applied = ApplyGammaRamp(dc, 0.5f, 0.5f, 0.5f);
  RestoreGammaRamp();
  GammaRamp after;
  if (settable) {
    EXPECT_TRUE(applied);
    ASSERT_TRUE(GetDeviceGammaRamp(dc, &after));
    EXPECT_EQ(std::memcmp(&after, &calibrated, sizeof after), 0);
    SetDeviceGammaRamp(dc, &before);
  }
  ReleaseDC(nullptr, dc);
  if (!settable) {
    GTEST_SKIP() << "this display has no settable gamma ramp";
  }
}

}  // namespace
