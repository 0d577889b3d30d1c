// Test helper: reports windows as Win32 sees them, one line each, for the
// whole-program tests to parse.
//   window_probe.exe          the saver's windows:
//     main <found> title=<text> rect=<l> <t> <r> <b> topmost=<0|1> visible=<0|1>
//     blank <count> [rect=<l> <t> <r> <b>]...
//     monitors <count> [rect=<l> <t> <r> <b>]...
//     adapter<i> <name> flags=<hex> mode=<ok> <width> <height> at <x> <y>
//   window_probe.exe message  the message box on screen, if any:
//     message <found> caption=<text> text=<text>
//   window_probe.exe backdrop SECONDS
//     shows a white window over the whole screen (not top-most) until the
//     saver's window has come and gone, at most that long, so that
//     screenshots tell the saver's black frames from the rest
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void PrintRect(const RECT& r) { std::printf(" rect=%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom); }

struct MonitorList {
  int count = 0;
  RECT rects[9];
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  MonitorList* monitors = reinterpret_cast<MonitorList*>(list);
  if (monitors->count < 9) monitors->rects[monitors->count++] = *rect;
  return TRUE;
}

// The monitors and the display adapters with their current modes.
void ReportDisplays() {
  MonitorList monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  std::printf("monitors %d", monitors.count);
  for (int i = 0; i < monitors.count; ++i) PrintRect(monitors.rects[i]);
  std::printf("\n");
  DISPLAY_DEVICEA adapter = {};
  adapter.cb = sizeof adapter;
  for (DWORD i = 0; i < 9 && EnumDisplayDevicesA(nullptr, i, &adapter, 0); ++i) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    BOOL ok = EnumDisplaySettingsA(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
    std::printf("adapter%lu %s flags=%lx mode=%d %lu %lu at %ld %ld\n", i, adapter.DeviceName, adapter.StateFlags,
                ok, mode.dmPelsWidth, mode.dmPelsHeight, mode.dmPosition.x, mode.dmPosition.y);
  }
}

// A message box is a dialog (#32770) whose text is the static control 0xFFFF.
int ReportMessageBox() {
  HWND box = FindWindowA("#32770", nullptr);
  char caption[128] = "", text[256] = "";
  if (box) {
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  }
  std::printf("message %d caption=%s text=%s\n", box != nullptr, caption, text);
  return box ? 0 : 1;
}

int ShowBackdrop(double seconds) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "Backdrop";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(WS_EX_NOACTIVATE, "Backdrop", "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                wc.hInstance, nullptr);
  std::printf("backdrop %d\n", window != nullptr);
  std::fflush(stdout);
  DWORD start = GetTickCount();
  bool sawSaver = false;
  while (GetTickCount() - start < DWORD(seconds * 1000)) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    bool saver = FindWindowA("MyWindow", nullptr) != nullptr;
    if (sawSaver && !saver) break;
    sawSaver = sawSaver || saver;
    Sleep(20);
  }
  return window ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "message") == 0) return ReportMessageBox();
  if (argc > 2 && std::strcmp(argv[1], "backdrop") == 0) return ShowBackdrop(std::atof(argv[2]));

  HWND main = FindWindowA("MyWindow", nullptr);
  char title[64] = "";
  RECT rect = {0, 0, 0, 0};
  if (main) {
    GetWindowTextA(main, title, sizeof title);
    GetWindowRect(main, &rect);
  }
  LONG exStyle = main ? GetWindowLongA(main, GWL_EXSTYLE) : 0;
  std::printf("main %d title=%s", main != nullptr, title);
  PrintRect(rect);
  std::printf(" topmost=%d visible=%d\n", (exStyle & WS_EX_TOPMOST) != 0, main && IsWindowVisible(main));

  int blanks = 0;
  RECT blankRects[9];
  for (HWND w = FindWindowExA(nullptr, nullptr, "FakeMonitor", nullptr); w && blanks < 9;
       w = FindWindowExA(nullptr, w, "FakeMonitor", nullptr))
    GetWindowRect(w, &blankRects[blanks++]);
  std::printf("blank %d", blanks);
  for (int i = 0; i < blanks; ++i) PrintRect(blankRects[i]);
  std::printf("\n");

  ReportDisplays();
  return main ? 0 : 1;
}
