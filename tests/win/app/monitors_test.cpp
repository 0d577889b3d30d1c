// The multi-monitor layer, the adapter records and start-up under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/monitors_win32.h"
#include "app/multi_monitor_win32.h"
#include "app/startup_win32.h"
#include "platform/win32_platform.h"
#include "settings/defaults_table.h"
#include "settings/saver_settings.h"
#include "settings/settings_registry_win32.h"

namespace {

TEST(MultiMonitor, LayerIsLiveAndFindsThePrimaryAdapter) {
  ASSERT_TRUE(MultiMonIsLive());
  DISPLAY_DEVICEA adapter = {};
  adapter.cb = sizeof adapter;
  ASSERT_TRUE(MultiMonEnumDisplayDevices(nullptr, 0, &adapter, 0));
  RECT onScreen = {10, 10, 20, 20};
  EXPECT_NE(MultiMonMonitorFromRect(&onScreen, MONITOR_DEFAULTTONULL), nullptr);
  RECT farAway = {100000, 100000, 100010, 100010};
  EXPECT_EQ(MultiMonMonitorFromRect(&farAway, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_NE(MultiMonMonitorFromRect(&farAway, MONITOR_DEFAULTTOPRIMARY), nullptr);
}

TEST(EnumerateMonitors, RecordsThePrimaryAdapterAtTheOrigin) {
  SaverApp app;
  EnumerateMonitors(app);
  ASSERT_GE(app.monitorCount, 1u);
  ASSERT_LE(app.monitorCount, 9u);
  const MonitorRecord& first = app.monitors[0];
  EXPECT_NE(first.monitor, nullptr);
  EXPECT_TRUE(first.primary);
  EXPECT_EQ(first.window, nullptr);
  EXPECT_EQ(first.bounds.left, 0);
  EXPECT_EQ(first.bounds.top, 0);
  EXPECT_EQ(first.bounds.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(first.bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(std::string(first.adapterName).size(), 0u);
}

// Start-up reads the factory defaults from the real terrava.scr next to
// this test program.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);
    module = LoadLibraryExA((dir + "terrava.scr").c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    Win32SetResourceModule(module);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ResetSettings();
  }
  void TearDown() override {
    Win32SetResourceModule(nullptr);
    if (module) FreeLibrary(module);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ResetSettings();
  }
  static void Store(const char* name, DWORD value) {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  HMODULE module = nullptr;
};

TEST_F(StartupTest, EmptyRegistryRunsOnTheShippedDefaultsInTheDesktopMode) {
  SaverApp app;
  EXPECT_EQ(Startup(app), 1);
  EXPECT_TRUE(settings.EnableMusic);
  EXPECT_EQ(settings.Volume, 55);
  EXPECT_TRUE(settings.ShowClock);
  EXPECT_TRUE(settings.TimeFormat);
  EXPECT_FALSE(settings.ShowFPS);
  EXPECT_TRUE(settings.UseDesktop);
  EXPECT_FALSE(settings.MouseExit);
  EXPECT_TRUE(settings.DefGamma);
  EXPECT_EQ(settings.Speed, 50);
  EXPECT_EQ(settings.Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(settings.Height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(app.monitorCount, 1u);
  // The factory defaults for the dialog's "Restore Defaults".
  EXPECT_EQ(defaultSettings.Width, 800);
  EXPECT_EQ(defaultSettings.Height, 600);
  EXPECT_EQ(defaultSettings.Depth, 32);
}

TEST_F(StartupTest, StoredValuesOverrideAndDesktopModeReplacesTheSize) {
  Store("Volume", 90);
  Store("MouseExit", 1);
  Store("VSync", 1);
  Store("Width", 640);
  Store("UseDesktop", 1);
  SaverApp app;
  Startup(app);
  EXPECT_EQ(settings.Volume, 90);
  EXPECT_TRUE(settings.MouseExit);
  EXPECT_EQ(settings.Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(defaultSettings.Volume, 55);
  EXPECT_FALSE(defaultSettings.MouseExit);
  EXPECT_TRUE(defaultSettings.VSync);  // no defaults key: the current value stays

  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
  ResetSettings();
  Store("UseDesktop", 0);
  Store("Width", 640);
  Store("Height", 480);
  Startup(app);
  EXPECT_EQ(settings.Width, 640);
  EXPECT_EQ(settings.Height, 480);
}

}  // namespace
