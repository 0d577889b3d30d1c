// The preview window and its painting.
#include "app/preview_window_win32.h"

#include "app/picture_fit.h"

namespace {

constexpr DWORD kPreviewStyle = WS_CHILD | WS_VISIBLE;

// Loaded at the first WM_CREATE and kept until the process ends; null when
// the resource is missing (the window then stays black).
HBITMAP previewPicture = nullptr;

void PaintPreview(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (previewPicture) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, previewPicture);
    BITMAP picture = {};
    GetObjectA(previewPicture, sizeof picture, &picture);
    RECT client = {};
    GetClientRect(window, &client);
    // The class brush paints the bars black; the picture is averaged, not
    // sampled, where it shrinks.
    const PictureRect place = FitPicture(picture.bmWidth, picture.bmHeight, client.right, client.bottom);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, place.x, place.y, place.width, place.height, memory, 0, 0, picture.bmWidth, picture.bmHeight,
               SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance;
      if (!previewPicture) previewPicture = LoadBitmapA(instance, MAKEINTRESOURCEA(kPreviewBitmapId));
      return 0;
    }
    case WM_DESTROY:
    case WM_CLOSE: PostQuitMessage(0); return 0;
    case WM_PAINT: PaintPreview(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterPreviewClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = PreviewWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kPreviewWindowClass;
  RegisterClassA(&wc);
}

}  // namespace

int RunPreview(SaverApp& app) {
  RegisterPreviewClass(app.instance);
  HWND parent = ParentWindowHandle(app);
  RECT area = {0, 0, 0, 0};
  GetClientRect(parent, &area);
  AdjustWindowRect(&area, kPreviewStyle, FALSE);
  HWND window = CreateWindowExA(0, kPreviewWindowClass, kPreviewWindowTitle, kPreviewStyle, area.left, area.top,
                                area.right - area.left, area.bottom - area.top, parent, nullptr, app.instance,
                                nullptr);
  if (!window) {
    MessageBoxA(nullptr, "Cannot creat window!", "ERROR", MB_OK);
    return 0;
  }
  ShowWindow(window, app.showCommand);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 1;
}
