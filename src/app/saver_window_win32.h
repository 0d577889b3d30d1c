// The windows of a saver run: the classes "MyWindow" (the GL window) and
// "FakeMonitor" (a black window over each further monitor), their creation,
// the saver window procedure, the pixel format and the GL context. Win32.
#pragma once

#include <windows.h>

constexpr const char kSaverWindowClass[] = "MyWindow";
constexpr const char kBlankWindowClass[] = "FakeMonitor";
constexpr const char kSaverWindowTitle[] = "Terrava";
constexpr int kSaverIconId = 111;  // icon resource of both classes

// Registers both classes with the executable's icon, the arrow cursor and
// the black brush; returns false when either fails.
bool RegisterSaverClasses(HINSTANCE instance);
void UnregisterSaverClasses(HINSTANCE instance);

// The GL window at the desktop origin, width x height pixels, top-most and
// not yet visible; its WM_CREATE sets up the GL context in saverRun.
HWND CreateMainWindow(HINSTANCE instance, int width, int height);
// A visible black top-most window over bounds.
HWND CreateBlankWindow(HINSTANCE instance, const RECT& bounds);

// Releases what WM_CREATE set up: the GL context and the device context.
void ReleaseGlContext();

// Moves the cursor to the centre of the GL window's client area.
void CentreCursor();
// Records in the run's input where the pointer rested as the run started:
// screenPosition, read before the windows appeared under it, in screen
// pixels; null when it could not be read.
void RecordRestingPointer(const POINT* screenPosition);
