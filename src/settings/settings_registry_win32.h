// The settings in the registry: REG_DWORD values under
// HKEY_CURRENT_USER\Software\Korvane\Terrava, read at start-up and written
// when the configuration dialog is confirmed. Win32 only.
#pragma once

// The key under HKEY_CURRENT_USER.
constexpr const char kSettingsKeyPath[] = "Software\\Korvane\\Terrava";

// Reads the stored values into settings (creating the key when missing):
// values that exist and are not 10000 override; then DefGamma forces Gamma
// to 50. A key that cannot be opened leaves every field as it was.
void LoadSettings();
// Writes settings to the key (creating it when missing), every value as a
// 4-byte REG_DWORD in the fixed order; failures are not reported.
void SaveSettings();
