// The platform's message box under Wine: the defaults file's Cyrillic
// message and a Greek caption, both UTF-8 in the program, must read back
// through the wide window functions exactly, whatever the system's ANSI
// code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "settings/defaults_problems.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control holding a message box's text
constexpr int kFindAttempts = 100;      // polls 50 ms apart: 5 s for the box to appear

DWORD WINAPI ShowDefaultsMessage(void*) {
  PlatformShowMessage(kMissingDefaultsKeyText, "Ρυθμίσεις");
  return 0;
}

HWND FindMessageBox(const wchar_t* caption) {
  for (int i = 0; i < kFindAttempts; ++i) {
    if (HWND box = FindWindowW(L"#32770", caption)) return box;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

TEST(Win32MessageBox, ShowsUtf8TextAndCaptionInTheirOwnScripts) {
  HANDLE thread = CreateThread(nullptr, 0, ShowDefaultsMessage, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  HWND box = FindMessageBox(L"Ρυθμίσεις");
  ASSERT_NE(box, nullptr) << "no message box with the Greek caption";
  wchar_t text[256] = L"";
  GetDlgItemTextW(box, kMessageTextId, text, 256);
  EXPECT_STREQ(text, L"Не найден параметр в файле def_settings.txt");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  CloseHandle(thread);
}
