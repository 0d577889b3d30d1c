// Test helper that drives the configuration dialog of a running
// `terrava.scr /c` from outside, as a user's clicks would: it finds the
// dialog window, sends button clicks, trackbar keys and mouse drags to its
// controls, and prints what the controls show. tests/e2e/test_config.py
// runs it with a list of steps and checks the printed lines.
//
//   config_probe.exe STEP [ARGS] STEP [ARGS] ...
//
// Steps (ids are control ids; results are printed one per line):
//   find TITLE        wait up to 30 s for a dialog window titled TITLE; later
//                     steps act on it ("window L T R B" is printed)
//   click ID          click a button and wait until the dialog handled it
//   post-click ID     click a button without waiting (for buttons that open
//                     a modal window)
//   key ID VK N       press and release virtual key VK N times on a control
//   drag ID DX        drag a trackbar's thumb DX pixels to the right
//   text ID           "text ID <text>" (ID 0: the dialog caption)
//   state ID          "state ID checked=C enabled=E"
//   trackbar ID       "trackbar ID pos=P min=A max=B"
//   rect ID           "rect ID L T R B" in the dialog's client coordinates
//   client            "client W H" of the dialog
//   modes             "mode I <text>" per item, then "modes count=N
//                     selected=S enabled=E"
//   desktop           "desktop <W x H B bits>" of the current display mode
//   dpi               "dpi X Y"
//   fit ID KIND       "fit ID text=T room=R": width of the control's text in
//                     the dialog font and the room the control gives it
//                     (KIND: check, radio, button, static, group)
//   wait-closed       wait up to 10 s until the dialog window is gone
//   sleep MS
//
// Exit code 0 when every step could be carried out, 1 otherwise.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/dialog_ids.h"

namespace {

constexpr DWORD kSendTimeout = 5000;  // ms for one message to be handled
HWND dialog = nullptr;

bool Fail(const char* what, const char* arg) {
  std::printf("error %s %s\n", what, arg ? arg : "");
  return false;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeout, &result);
  return LRESULT(result);
}

HWND Control(int id) { return id == 0 ? dialog : GetDlgItem(dialog, id); }

struct FindData {
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  FindData* find = reinterpret_cast<FindData*>(data);
  char className[64], title[256];
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if (IsWindowVisible(window) && std::strcmp(className, "#32770") == 0 && std::strcmp(title, find->title) == 0) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

bool Find(const char* title) {
  FindData find = {title, nullptr};
  for (int i = 0; i < 300 && !find.found; ++i) {
    EnumWindows(MatchDialog, LPARAM(&find));
    if (!find.found) Sleep(100);
  }
  if (!find.found) return Fail("no dialog titled", title);
  dialog = find.found;
  Sleep(300);  // let WM_INITDIALOG's work and the first paint finish
  RECT r;
  GetWindowRect(dialog, &r);
  std::printf("window %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return true;
}

bool WaitClosed() {
  for (int i = 0; i < 100; ++i) {
    if (!IsWindow(dialog)) return true;
    Sleep(100);
  }
  return Fail("dialog still open", nullptr);
}

// Control texts are read with the wide functions and printed as UTF-8, so
// a label in any script reads back as the dialog shows it.
std::string Utf8(const wchar_t* text) {
  char utf8[1536] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

void PrintText(int id) { std::printf("text %d %s\n", id, Utf8(WindowText(Control(id)).c_str()).c_str()); }

RECT ClientRectOf(int id) {
  RECT r;
  GetWindowRect(Control(id), &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The thumb rectangle of a trackbar in the dialog's process, read through a
// buffer allocated there (the message carries a pointer).
bool ThumbRect(HWND trackbar, RECT* thumb) {
  DWORD pid = 0;
  GetWindowThreadProcessId(trackbar, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool ok = remote && Send(trackbar, TBM_GETTHUMBRECT, 0, LPARAM(remote)) >= 0 &&
            ReadProcessMemory(process, remote, thumb, sizeof(RECT), nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

bool Drag(int id, int dx) {
  HWND trackbar = Control(id);
  RECT thumb;
  if (!ThumbRect(trackbar, &thumb)) return Fail("no thumb rectangle", nullptr);
  int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
  Send(trackbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  for (int step = 1; step <= 4; ++step) Send(trackbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx * step / 4, y));
  Send(trackbar, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
  return true;
}

void PressKey(int id, int vk, int count) {
  for (int i = 0; i < count; ++i) {
    Send(Control(id), WM_KEYDOWN, vk, 1);
    Send(Control(id), WM_KEYUP, vk, 0xC0000001);
  }
}

void PrintModes() {
  HWND list = Control(IDC_VIDEO_MODES);
  int count = int(Send(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, kSendTimeout, &length);
    if (length < 128) SendMessageTimeoutW(list, CB_GETLBTEXT, i, LPARAM(text), SMTO_NORMAL, kSendTimeout, &length);
    std::printf("mode %d %s\n", i, Utf8(text).c_str());
  }
  std::printf("modes count=%d selected=%d enabled=%d\n", count, int(Send(list, CB_GETCURSEL, 0, 0)),
              IsWindowEnabled(list) ? 1 : 0);
}

void PrintDesktop() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  std::printf("desktop %lu x %lu %lu bits\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel);
}

// Room a control leaves for its text, in pixels: check and radio boxes lose
// the box and its gap, buttons and group boxes their borders.
int TextRoom(int id, const char* kind) {
  RECT r = ClientRectOf(id);
  int width = r.right - r.left;
  if (!std::strcmp(kind, "check") || !std::strcmp(kind, "radio"))
    return width - GetSystemMetrics(SM_CXMENUCHECK) - 4;
  if (!std::strcmp(kind, "button")) return width - 8;
  if (!std::strcmp(kind, "group")) return width - 16;
  return width;
}

bool PrintFit(int id, const char* kind) {
  std::wstring text = WindowText(Control(id));
  HDC dc = GetDC(dialog);
  // The dialog's font: its template names "Microsoft Sans Serif" 8 point.
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                           DEFAULT_CHARSET, 0, 0, 0, 0, "Microsoft Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  char face[64] = "";
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(dialog, dc);
  std::printf("fit %d text=%ld room=%d face=%s\n", id, size.cx, TextRoom(id, kind), face);
  return true;
}

int IntArg(char** argv, int i) { return std::atoi(argv[i]); }

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string step = argv[i];
    auto need = [&](int n) { return i + n < argc; };
    bool ok = true;
    if (step == "find" && need(1)) {
      ok = Find(argv[++i]);
    } else if (!dialog && step != "sleep" && step != "desktop" && step != "dpi") {
      ok = Fail("no dialog for", step.c_str());
    } else if (step == "click" && need(1)) {
      Send(Control(IntArg(argv, ++i)), BM_CLICK, 0, 0);
    } else if (step == "post-click" && need(1)) {
      PostMessageA(Control(IntArg(argv, ++i)), BM_CLICK, 0, 0);
    } else if (step == "key" && need(3)) {
      PressKey(IntArg(argv, i + 1), IntArg(argv, i + 2), IntArg(argv, i + 3));
      i += 3;
    } else if (step == "drag" && need(2)) {
      ok = Drag(IntArg(argv, i + 1), IntArg(argv, i + 2));
      i += 2;
    } else if (step == "text" && need(1)) {
      PrintText(IntArg(argv, ++i));
    } else if (step == "state" && need(1)) {
      int id = IntArg(argv, ++i);
      std::printf("state %d checked=%d enabled=%d\n", id, int(Send(Control(id), BM_GETCHECK, 0, 0)),
                  IsWindowEnabled(Control(id)) ? 1 : 0);
    } else if (step == "trackbar" && need(1)) {
      int id = IntArg(argv, ++i);
      std::printf("trackbar %d pos=%d min=%d max=%d\n", id, int(Send(Control(id), TBM_GETPOS, 0, 0)),
                  int(Send(Control(id), TBM_GETRANGEMIN, 0, 0)), int(Send(Control(id), TBM_GETRANGEMAX, 0, 0)));
    } else if (step == "rect" && need(1)) {
      int id = IntArg(argv, ++i);
      RECT r = ClientRectOf(id);
      std::printf("rect %d %ld %ld %ld %ld\n", id, r.left, r.top, r.right, r.bottom);
    } else if (step == "client") {
      RECT r;
      GetClientRect(dialog, &r);
      std::printf("client %ld %ld\n", r.right, r.bottom);
    } else if (step == "modes") {
      PrintModes();
    } else if (step == "desktop") {
      PrintDesktop();
    } else if (step == "dpi") {
      HDC dc = GetDC(nullptr);
      std::printf("dpi %d %d\n", GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
      ReleaseDC(nullptr, dc);
    } else if (step == "fit" && need(2)) {
      ok = PrintFit(IntArg(argv, i + 1), argv[i + 2]);
      i += 2;
    } else if (step == "wait-closed") {
      ok = WaitClosed();
    } else if (step == "sleep" && need(1)) {
      Sleep(DWORD(IntArg(argv, ++i)));
    } else {
      ok = Fail("bad step", step.c_str());
    }
    std::fflush(stdout);
    if (!ok) return 1;
  }
  return 0;
}
