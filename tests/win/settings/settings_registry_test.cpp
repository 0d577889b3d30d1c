// The settings in the real registry (Wine's): round trip, the 10000
// sentinel, DefGamma, ShowFlame and values that cannot be read.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/saver_settings.h"
#include "settings/setting_table.h"
#include "settings/settings_registry_win32.h"

namespace {

class SettingsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ResetSettings();
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ResetSettings();
  }
  static void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  static void WriteDword(const char* name, DWORD value) { WriteRaw(name, REG_DWORD, &value, sizeof value); }
  // Type and value of a stored value; type 0 when missing.
  static DWORD ReadDword(const char* name, DWORD* type) {
    DWORD value = 0, size = sizeof value;
    *type = 0;
    RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_ANY, type, &value, &size);
    return value;
  }
  static SaverSettings Sample() {
    SaverSettings s;
    s.EnableMusic = true;
    s.ShowFPS = true;
    s.VSync = true;
    s.MouseExit = true;
    s.TimeFormat = true;
    s.RealDayNight = true;
    s.Speed = 73;
    s.Volume = 12;
    s.Gamma = 80;
    s.Width = 1024;
    s.Height = 768;
    s.Depth = 16;
    return s;
  }
};

TEST_F(SettingsRegistry, SavedSettingsReadBackTheSame) {
  settings = Sample();
  settings.ShowFlame = true;
  SaveSettings();
  settings = SaverSettings{};
  LoadSettings();
  SaverSettings expected = Sample();
  for (size_t i = 0; i < kSettingRowCount; ++i) {
    const SettingRow& row = kSettingRows[i];
    EXPECT_EQ(StoredSettingValue(settings, row), row.writeOnly ? 0u : StoredSettingValue(expected, row))
        << row.valueName;
  }
}

TEST_F(SettingsRegistry, EveryValueIsAFourByteDwordAndShowFlameIsZero) {
  settings = Sample();
  settings.ShowFlame = true;
  SaveSettings();
  const struct {
    const char* name;
    DWORD value;
  } expected[] = {{"ShowClock", 0}, {"TimeFormat", 1}, {"EnableMusic", 1}, {"UseDesktop", 0}, {"ShowFlame", 0},
                  {"DefGamma", 0},  {"Width", 1024},   {"Height", 768},    {"Depth", 16},     {"Volume", 12},
                  {"Speed", 73},    {"Gamma", 80},     {"VSync", 1},       {"MouseExit", 1},  {"ShowFPS", 1},
                  {"RealDayNight", 1}};
  for (const auto& e : expected) {
    DWORD type;
    EXPECT_EQ(ReadDword(e.name, &type), e.value) << e.name;
    EXPECT_EQ(type, DWORD(REG_DWORD)) << e.name;
  }
}

TEST_F(SettingsRegistry, SentinelAndMissingValuesKeepTheDefaults) {
  WriteDword("Width", 10000);
  WriteDword("Volume", 10000);
  WriteDword("Height", 10001);
  settings = Sample();
  LoadSettings();
  EXPECT_EQ(settings.Width, 1024);
  EXPECT_EQ(settings.Volume, 12);
  EXPECT_EQ(settings.Height, 10001);
  EXPECT_EQ(settings.Speed, 73);  // missing
}

TEST_F(SettingsRegistry, DefGammaForcesGammaToFifty) {
  WriteDword("DefGamma", 1);
  WriteDword("Gamma", 80);
  LoadSettings();
  EXPECT_TRUE(settings.DefGamma);
  EXPECT_EQ(settings.Gamma, 50);

  WriteDword("DefGamma", 0);
  LoadSettings();
  EXPECT_EQ(settings.Gamma, 80);
}

TEST_F(SettingsRegistry, ValuesThatAreNotFourBytesAreIgnored) {
  WriteRaw("Width", REG_SZ, "12345", 6);
  const BYTE two[] = {1, 2};
  WriteRaw("Height", REG_BINARY, two, sizeof two);
  settings = Sample();
  LoadSettings();
  EXPECT_EQ(settings.Width, 1024);
  EXPECT_EQ(settings.Height, 768);
}

TEST_F(SettingsRegistry, LoadingCreatesAMissingKey) {
  settings = Sample();
  LoadSettings();
  EXPECT_EQ(settings.Width, 1024);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace
