// Win32 implementation of the platform seam: resources of the executable
// module, MessageBoxA, the saver window's progress message, GetLocalTime.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32_platform.h"

namespace {
HMODULE resourceModule = nullptr;
HWND progressWindow = nullptr;
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
  MessageBoxA(nullptr, text, caption, MB_OK);
}

void PlatformLoadingProgress() {
  if (progressWindow) SendMessageA(progressWindow, kLoadingProgressMessage, 0, 0);
}

LocalClockTime PlatformLocalTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalClockTime{t.wHour, t.wMinute, t.wSecond};
}
