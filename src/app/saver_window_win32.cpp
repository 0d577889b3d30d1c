// The saver window procedure and the windows of a saver run.
#include "app/saver_window_win32.h"

#include <windowsx.h>

#include <GL/gl.h>

#include "app/saver_run_win32.h"
#include "run/run_loading.h"
#include "platform/win32_platform.h"

namespace {

constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kBlankWindowStyle = WS_POPUP | WS_VISIBLE;

// Double-buffered RGBA with 32 colour, 24 depth and 8 stencil bits; format
// 1 when nothing matches; no format when even that cannot be described.
void SetSaverPixelFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  int format = ChoosePixelFormat(dc, &pfd);
  if (format == 0) {
    format = 1;
    if (!DescribePixelFormat(dc, format, sizeof pfd, &pfd)) return;
  }
  SetPixelFormat(dc, format, &pfd);
}

void CreateGlContext(HWND window) {
  saverRun.deviceContext = GetDC(window);
  SetSaverPixelFormat(saverRun.deviceContext);
  saverRun.renderingContext = wglCreateContext(saverRun.deviceContext);
  wglMakeCurrent(saverRun.deviceContext, saverRun.renderingContext);
}

// One loader step: raise the progress and show the loader screen again when
// a loader frame is due.
void ShowLoadingProgress() {
  loadProgress += loadProgress < 100 ? 3 : 1;
  if (!LoadingFrameDue(saverRun.run, CounterSeconds())) return;
  DrawLoadingFrame(saverRun.run.camera.frame);
  SwapBuffers(wglGetCurrentDC());  // flushes
}

// The offset of a client-area point from the client-area centre, in pixels.
POINT OffsetFromCentre(HWND window, POINT client) {
  RECT rect;
  GetClientRect(window, &rect);
  return POINT{client.x - rect.right / 2, client.y - rect.bottom / 2};
}

void RecordPointer(HWND window, LPARAM lParam) {
  const POINT offset = OffsetFromCentre(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  saverRun.input.PointerMoved(offset.x, offset.y);
}

// The user's session is ending (log-off, shutdown): the system may end the
// process without waiting for the run to finish, so the shared state is put
// back now, and the run ends.
void EndForSession() {
  RestoreSharedState();
  PostQuitMessage(0);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateGlContext(window); return 0;
    case WM_DESTROY:
    case WM_CLOSE: PostQuitMessage(0); return 0;
    // Alt, F10 and Alt combinations come as system keys; they end the run
    // like any other key, and never reach the window menu.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: saverRun.input.KeyDown(uint32_t(wParam)); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: saverRun.input.KeyUp(uint32_t(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: saverRun.input.ButtonDown(); return 0;
    case WM_MOUSEMOVE: RecordPointer(window, lParam); return 0;
    // Every system command is swallowed: no second saver start, no monitor
    // power-down, no close from the system menu (Alt+F4) during the run.
    case WM_SYSCOMMAND: return 0;
    case WM_QUERYENDSESSION: EndForSession(); return TRUE;
    case WM_ENDSESSION:
      if (wParam) EndForSession();
      return 0;
    case kLoadingProgressMessage: ShowLoadingProgress(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterClassOf(HINSTANCE instance, const char* name, UINT style, WNDPROC procedure) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kSaverIconId));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace

bool RegisterSaverClasses(HINSTANCE instance) {
  bool main = RegisterClassOf(instance, kSaverWindowClass, CS_OWNDC | CS_HREDRAW | CS_VREDRAW, SaverWindowProc);
  bool blank = RegisterClassOf(instance, kBlankWindowClass, CS_HREDRAW | CS_VREDRAW, DefWindowProcA);
  return main && blank;
}

void UnregisterSaverClasses(HINSTANCE instance) {
  UnregisterClassA(kSaverWindowClass, instance);
  UnregisterClassA(kBlankWindowClass, instance);
}

HWND CreateMainWindow(HINSTANCE instance, int width, int height) {
  return CreateWindowExA(kWindowExStyle, kSaverWindowClass, kSaverWindowTitle, kMainWindowStyle, 0, 0, width,
                         height, nullptr, nullptr, instance, nullptr);
}

HWND CreateBlankWindow(HINSTANCE instance, const RECT& bounds) {
  return CreateWindowExA(kWindowExStyle, kBlankWindowClass, kSaverWindowTitle, kBlankWindowStyle, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                         instance, nullptr);
}

void ReleaseGlContext() {
  if (saverRun.renderingContext) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(saverRun.renderingContext);
    saverRun.renderingContext = nullptr;
  }
  if (saverRun.deviceContext) {
    ReleaseDC(saverRun.mainWindow, saverRun.deviceContext);
    saverRun.deviceContext = nullptr;
  }
}

void CentreCursor() {
  RECT client;
  GetClientRect(saverRun.mainWindow, &client);
  POINT centre = {client.right / 2, client.bottom / 2};
  ClientToScreen(saverRun.mainWindow, &centre);
  SetCursorPos(centre.x, centre.y);
}

void RecordRestingPointer(const POINT* screenPosition) {
  if (!screenPosition) {
    saverRun.input.PointerRestUnknown();
    return;
  }
  POINT client = *screenPosition;
  ScreenToClient(saverRun.mainWindow, &client);
  const POINT offset = OffsetFromCentre(saverRun.mainWindow, client);
  saverRun.input.PointerRestsAt(offset.x, offset.y);
}
