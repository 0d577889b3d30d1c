// SaverApp, the one application object of the process, and the record of
// one display adapter found at start-up. Win32 only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/command_line.h"

// Most adapters recorded; enumeration stops after this many.
constexpr unsigned kMaxMonitors = 9;

// One display adapter that is not a mirroring driver.
struct MonitorRecord {
  char adapterName[128];  // the adapter's DeviceString
  char monitorName[128];  // DeviceString of the adapter's monitor 0
  HMONITOR monitor;       // the adapter's monitor; null when not on the desktop
  RECT bounds;            // the monitor's area on the virtual desktop, pixels
  bool primary;           // the monitor is the primary one (MONITORINFOF_PRIMARY)
  HWND window;            // the saver run's window on this monitor; null until made
};

struct SaverApp {
  RunMode runMode = RunMode::Config;
  HINSTANCE instance = nullptr;  // the executable's module: classes, icon, bitmaps
  uint32_t parentWindow = 0;     // window handle after /c or /p; 0 when none
  int showCommand = 0;           // given to ShowWindow for every window shown
  MonitorRecord monitors[kMaxMonitors] = {};
  unsigned monitorCount = 0;     // filled entries of monitors, 0..9
};

// parentWindow as a window handle.
inline HWND ParentWindowHandle(const SaverApp& app) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(app.parentWindow));
}
