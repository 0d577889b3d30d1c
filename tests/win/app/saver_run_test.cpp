// RunSaver inside this test program, ended by posted input: the run's
// windows and GL context come and go, loading progress reaches the window,
// and whichever way the run ends, the cursor, the display mode and the
// progress target are put back when RunSaver returns, and the windows and
// their classes when CloseRunWindows has run.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>


#include "app/monitors_win32.h"
#include "app/saver_run_win32.h"
#include "app/saver_window_win32.h"
#include "platform/platform.h"
#include "settings/saver_settings.h"

namespace {

// The cursor display counter (ShowCursor's result without changing it).
int CursorCounter() {
  int counter = ShowCursor(TRUE);
  ShowCursor(FALSE);
  return counter - 1;
}

DWORD CurrentWidth() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return mode.dmPelsWidth;
}

// What the timer saw inside the run, and what it posts to end it.
struct RunProbe {
  UINT endMessage = WM_KEYDOWN;
  WPARAM endParam = VK_SPACE;
  bool sawWindow = false;
  bool sawContext = false;
  unsigned progressBefore = 0;
  unsigned progressAfter = 0;
  DWORD widthAfterEnd = 0;     // display width as soon as the end message was handled
  int cursorAfterEnd = 0;      // cursor counter as soon as the end message was handled
  RECT mainRect = {};   // the GL window's, during the run
  RECT blankRect = {};  // the first black window's, during the run
};
RunProbe probe;

void CALLBACK EndRunTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  probe.sawWindow = FindWindowA(kSaverWindowClass, kSaverWindowTitle) == saverRun.mainWindow && saverRun.mainWindow;
  probe.sawContext = wglGetCurrentContext() != nullptr;
  GetWindowRect(saverRun.mainWindow, &probe.mainRect);
  if (HWND blank = FindWindowA(kBlankWindowClass, nullptr)) GetWindowRect(blank, &probe.blankRect);
  probe.progressBefore = loadProgress;
  PlatformLoadingProgress();  // as a loader would after a texture
  PlatformLoadingProgress();
  probe.progressAfter = loadProgress;
  SendMessageA(saverRun.mainWindow, probe.endMessage, probe.endParam, 0);
  probe.widthAfterEnd = CurrentWidth();
  probe.cursorAfterEnd = CursorCounter();
}

class SaverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    settings.Width = 640;
    settings.Height = 480;
    settings.Depth = 32;
    settings.DefGamma = false;  // the run sets (and must restore) a ramp
    settings.Gamma = 80;
    settings.MouseExit = true;
    app.instance = GetModuleHandleA(nullptr);
    app.showCommand = SW_SHOW;
    cursor = CursorCounter();
    width = CurrentWidth();
    probe = RunProbe{};
  }
  void TearDown() override { ResetSettings(); }

  // The shell is back to where it was before the run.
  void ExpectEverythingPutBack() {
    EXPECT_EQ(CursorCounter(), cursor);
    EXPECT_EQ(CurrentWidth(), width);
    CloseRunWindows(app);
    EXPECT_EQ(FindWindowA(kSaverWindowClass, nullptr), nullptr);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExA(app.instance, kSaverWindowClass, &info));
    EXPECT_FALSE(GetClassInfoExA(app.instance, kBlankWindowClass, &info));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    unsigned progress = loadProgress;
    PlatformLoadingProgress();  // no window to send it to any more
    EXPECT_EQ(loadProgress, progress);
    for (unsigned i = 0; i < app.monitorCount; ++i) EXPECT_EQ(app.monitors[i].window, nullptr);
  }

  SaverApp app;
  int cursor = 0;
  DWORD width = 0;
};

TEST_F(SaverRun, WithoutMonitorsNoWindowIsMadeAndNothingStaysChanged) {
  app.monitorCount = 0;
  EXPECT_EQ(RunSaver(app), 0);
  ExpectEverythingPutBack();
}

TEST_F(SaverRun, KeyPressEndsTheRunAndEverythingIsPutBack) {
  EnumerateMonitors(app);
  ASSERT_GE(app.monitorCount, 1u);
  SetTimer(nullptr, 0, 300, EndRunTimer);
  RunSaver(app);
  EXPECT_TRUE(probe.sawWindow);
  EXPECT_TRUE(probe.sawContext);
  unsigned step = probe.progressBefore < 97 ? 6 : probe.progressAfter - probe.progressBefore;
  EXPECT_EQ(probe.progressAfter - probe.progressBefore, step);
  ExpectEverythingPutBack();
}

TEST_F(SaverRun, CloseMessageEndsTheRunThroughQuitWithItsCode) {
  EnumerateMonitors(app);
  probe.endMessage = WM_CLOSE;
  probe.endParam = 0;
  SetTimer(nullptr, 0, 300, EndRunTimer);
  EXPECT_EQ(RunSaver(app), 0);  // the wParam of WM_QUIT from PostQuitMessage(0)
  EXPECT_TRUE(probe.sawWindow);
  ExpectEverythingPutBack();
}

// F10 arrives as a system key and ends the run like any key. The end of
// the user's session ends it too, and puts the display mode and the cursor
// back before its message returns: the system may end the process then.
// (Xvfb offers one mode only, so here the cursor shows the restore.)
TEST_F(SaverRun, SystemKeysAndTheEndOfTheSessionEndTheRun) {
  EnumerateMonitors(app);
  struct Ending {
    UINT message;
    WPARAM param;
    bool restoresAtOnce;
  };
  const Ending endings[] = {{WM_SYSKEYDOWN, VK_F10, false}, {WM_QUERYENDSESSION, 0, true}, {WM_ENDSESSION, TRUE, true}};
  for (const Ending& ending : endings) {
    probe = RunProbe{};
    probe.endMessage = ending.message;
    probe.endParam = ending.param;
    SetTimer(nullptr, 0, 300, EndRunTimer);
    RunSaver(app);
    EXPECT_TRUE(probe.sawWindow) << ending.message;
    if (ending.restoresAtOnce) {
      EXPECT_EQ(probe.widthAfterEnd, width) << ending.message;
      EXPECT_EQ(probe.cursorAfterEnd, cursor) << ending.message;
    }
    ExpectEverythingPutBack();
  }
}

// Two monitors with the primary one recorded second: the GL window still
// covers the primary monitor and the black window the other one. Skipped
// with one monitor; the two-monitor whole-program test runs it.
TEST_F(SaverRun, GlWindowGoesToThePrimaryMonitorWhateverTheOrder) {
  EnumerateMonitors(app);
  if (app.monitorCount < 2) GTEST_SKIP() << "needs two monitors";
  std::swap(app.monitors[0], app.monitors[1]);
  ASSERT_TRUE(app.monitors[1].primary);
  ASSERT_FALSE(app.monitors[0].primary);
  settings.UseDesktop = true;  // as start-up sets it: the primary's size, no mode switch
  settings.Width = app.monitors[1].bounds.right - app.monitors[1].bounds.left;
  settings.Height = app.monitors[1].bounds.bottom - app.monitors[1].bounds.top;
  SetTimer(nullptr, 0, 300, EndRunTimer);
  RunSaver(app);
  EXPECT_TRUE(EqualRect(&probe.mainRect, &app.monitors[1].bounds));
  EXPECT_TRUE(EqualRect(&probe.blankRect, &app.monitors[0].bounds));
  ExpectEverythingPutBack();
}

TEST_F(SaverRun, SystemCommandsDoNotEndTheRun) {
  EnumerateMonitors(app);
  probe.endMessage = WM_SYSCOMMAND;
  probe.endParam = SC_CLOSE;
  SetTimer(nullptr, 0, 300, EndRunTimer);
  // SC_CLOSE is swallowed; a second timer ends the run with a key press.
  SetTimer(nullptr, 0, 900, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageA(saverRun.mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  RunSaver(app);
  EXPECT_TRUE(probe.sawWindow);
  ExpectEverythingPutBack();
}

}  // namespace
