// The preview: what /p HWND shows inside the screensaver settings page, a
// child window of the given parent painting one fixed picture (bitmap
// 112) scaled to the window with its proportions kept, centred between
// black bars. Win32 only.
#pragma once

#include "app/saver_app_win32.h"

constexpr const char kPreviewWindowClass[] = "QelvexPreview";
constexpr const char kPreviewWindowTitle[] = "Qelvex";
constexpr int kPreviewBitmapId = 112;

// Creates the preview window over the parent's client area and runs its
// message loop until WM_QUIT; returns 1, or 0 after the message "Cannot
// creat window!" when the window cannot be created (no usable parent).
int RunPreview(SaverApp& app);
