// The multi-monitor layer: the USER32 monitor functions looked up at run
// time, so that the program also starts on a system that lacks them. On the
// first call it looks up GetSystemMetrics, MonitorFromWindow,
// MonitorFromRect, MonitorFromPoint, EnumDisplayMonitors, GetMonitorInfoA
// and EnumDisplayDevicesA; the layer is live only when all seven exist and
// the virtual screen is at least as large as the primary screen. Otherwise
// the single-monitor fallbacks answer.
#pragma once

#include <windows.h>

// EnumDisplayDevicesA when live; FALSE for every index otherwise.
BOOL MultiMonEnumDisplayDevices(const char* device, DWORD index, DISPLAY_DEVICEA* info, DWORD flags);
// MonitorFromRect when live; otherwise the primary monitor's pseudo-handle
// 0x42 for a rectangle on the primary screen or default flags, else null.
HMONITOR MultiMonMonitorFromRect(const RECT* rect, DWORD flags);
// GetMonitorInfoA with a MONITORINFOEXA when live; FALSE otherwise.
BOOL MultiMonGetMonitorInfo(HMONITOR monitor, MONITORINFOEXA* info);
// EnumDisplayMonitors over the whole virtual desktop when live; FALSE
// (and no call) otherwise.
BOOL MultiMonEnumDisplayMonitors(MONITORENUMPROC callback, LPARAM data);
// Whether the layer is live (decided once per process).
bool MultiMonIsLive();
