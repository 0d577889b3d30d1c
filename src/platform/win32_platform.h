// Controls of the Win32 implementation of the platform seam: which module
// the resources come from and which window receives loading progress.
// Windows build only; the handles are passed as void* so that this header
// needs no <windows.h>.
#pragma once

// The module whose resources PlatformFindResource reads (HMODULE).
// nullptr, the default, means the executable itself.
void Win32SetResourceModule(void* module);

// The window that receives the loading-progress message (HWND); nullptr
// (the default) sends nothing.
void Win32SetProgressWindow(void* window);

// Window message 1026 (WM_USER + 2), sent synchronously after every loaded
// texture, object and geometry line.
constexpr unsigned kLoadingProgressMessage = 0x0400 + 2;
