// Win32 implementation of the platform seam: resources of the executable
// module, MessageBoxW from UTF-8 texts, the saver window's progress
// message, GetLocalTime, GetSystemTime.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32_platform.h"

namespace {
HMODULE resourceModule = nullptr;
HWND progressWindow = nullptr;

// UTF-8 (null: empty) as UTF-16; bytes that are no valid UTF-8 become U+FFFD.
std::wstring WideFromUtf8(const char* text) {
  if (!text) return std::wstring();
  int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);  // with the terminator
  if (units <= 1) return std::wstring();
  std::wstring wide(size_t(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], units);
  wide.resize(size_t(units - 1));
  return wide;
}

}  // namespace

void Win32SetResourceModule(void* module) { resourceModule = static_cast<HMODULE>(module); }
void Win32SetProgressWindow(void* window) { progressWindow = static_cast<HWND>(window); }

bool PlatformFindResource(const char* type, int id, ResourceBytes* out) {
  *out = ResourceBytes{};
  HMODULE module = resourceModule ? resourceModule : GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id & 0xFFFF), type);
  if (!info) return false;
  HGLOBAL handle = LoadResource(module, info);
  if (!handle) return false;
  out->data = static_cast<const uint8_t*>(LockResource(handle));
  out->size = out->data ? SizeofResource(module, info) : 0;
  return out->data != nullptr;
}

void PlatformShowMessage(const char* text, const char* caption) {
  MessageBoxW(nullptr, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_OK);
}

void PlatformLoadingProgress() {
  if (progressWindow) SendMessageA(progressWindow, kLoadingProgressMessage, 0, 0);
}

LocalClockTime PlatformLocalTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalClockTime{t.wHour, t.wMinute, t.wSecond};
}

UtcDateTime PlatformUtcTime() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  return UtcDateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}
