// Test helper: plays the screensaver settings page for /p. Makes a
// borderless host window whose client area is 152 x 112 pixels at (100,
// 100), starts "PROGRAM /p HWND" into it, prints where the area is, keeps
// the window for the given seconds, reports the preview window inside it,
// then destroys it (which ends the preview) and returns the preview's exit
// code (99 when it did not end).
//
//   preview_host.exe PROGRAM SECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLeft = 100, kTop = 100;     // screen pixels
constexpr int kWidth = 152, kHeight = 112;  // the preview area of the settings page

HWND CreateHost(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "PreviewHost";
  RegisterClassA(&wc);
  HWND host = CreateWindowExA(WS_EX_TOPMOST, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                              kLeft, kTop, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (host) UpdateWindow(host);
  return host;
}

// Pumps the host's messages until the time is up.
void PumpFor(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
}

// "child FOUND TITLE WIDTH HEIGHT" of the preview window inside the host.
void ReportChild(HWND host) {
  HWND child = FindWindowExA(host, nullptr, "QelvexPreview", nullptr);
  char title[64] = "-";
  RECT client = {0, 0, 0, 0};
  if (child) {
    GetWindowTextA(child, title, sizeof title);
    GetClientRect(child, &client);
  }
  std::printf("child %d %s %ld %ld\n", child != nullptr, title, client.right, client.bottom);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: preview_host PROGRAM SECONDS\n");
    return 2;
  }
  HWND host = CreateHost(GetModuleHandleA(nullptr));
  if (!host) return 3;
  RECT client;
  GetClientRect(host, &client);
  char command[1024];
  std::snprintf(command, sizeof command, "\"%s\" /p %lu", argv[1],
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(host)));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return 4;
  std::printf("area %d %d %ld %ld\n", kLeft, kTop, client.right, client.bottom);
  std::fflush(stdout);
  PumpFor(DWORD(std::atof(argv[2]) * 1000));
  ReportChild(host);
  DestroyWindow(host);
  DWORD code = 99;
  if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  else TerminateProcess(process.hProcess, 99);
  std::printf("preview exit %lu\n", code);
  std::fflush(stdout);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}
