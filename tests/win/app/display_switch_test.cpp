// The display mode, the cursor and the gamma ramp of a run under Wine: the
// restore of mode and cursor, and the restore of the ramp that was in
// effect before the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "app/cursor_hiding_win32.h"
#include "app/display_switch_win32.h"
#include "app/gamma_control_win32.h"
#include "app/gamma_ramp.h"
#include "settings/saver_settings.h"
#include "ui/display_mode_list_win32.h"

namespace {

DisplayMode CurrentMode() {
  DisplayMode mode;
  EXPECT_TRUE(ReadDesktopMode(&mode));
  return mode;
}

// The cursor display counter (ShowCursor's result without changing it).
int CursorCounter() {
  int counter = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return counter - 1;
}

class DisplaySwitch : public ::testing::Test {
 protected:
  void SetUp() override { ResetSettings(); }
  void TearDown() override { ResetSettings(); }
};

TEST_F(DisplaySwitch, ModeAndCursorComeBackAndRestoringTwiceIsHarmless) {
  DisplayMode before = CurrentMode();
  int cursor = CursorCounter();
  settings.Width = 640;
  settings.Height = 480;
  settings.Depth = 32;
  ChangeDisplayMode();
  HideCursor();
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
TEST_F(DisplaySwitch, UseDesktopSwitchesNoMode) {
  DisplayMode before = CurrentMode();
  settings.UseDesktop = true;
  settings.Width = 640;
  settings.Height = 480;
  settings.Depth = 32;
  ChangeDisplayMode();
  HideCursor();
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
