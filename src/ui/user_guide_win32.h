// The user guide behind the Visit... button: found beside the running
// program or in the folder the installer recorded, and opened with the
// user's program for HTML pages. Windows build only.
#pragma once

#include <windows.h>

#include <string>

// Uninstall entry the installer writes (installer/terrava.nsi); its value
// "InstallLocation" names the folder that holds the guide.
constexpr const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Terrava";

// The guide's path: beside the running program first (the release folder),
// then in the recorded install folder. Empty when neither holds it.
std::u16string FindUserGuide();

// Opens the guide at path (from FindUserGuide) in the user's browser.
void OpenUserGuide(HWND owner, const std::u16string& path);
