// The multi-monitor layer and its fallbacks.
#include "app/multi_monitor_win32.h"

#include "app/monitor_fallback.h"

namespace {

using GetSystemMetricsFn = int(WINAPI*)(int);
using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

struct MultiMonLayer {
  bool initialised = false;
  GetSystemMetricsFn getSystemMetrics = nullptr;
  MonitorFromWindowFn monitorFromWindow = nullptr;
  MonitorFromRectFn monitorFromRect = nullptr;
  MonitorFromPointFn monitorFromPoint = nullptr;
  EnumDisplayMonitorsFn enumDisplayMonitors = nullptr;
  GetMonitorInfoFn getMonitorInfo = nullptr;
  EnumDisplayDevicesFn enumDisplayDevices = nullptr;
};

MultiMonLayer layer;

template <typename Fn>
bool LookUp(HMODULE user32, const char* name, Fn* out) {
  *out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
  return *out != nullptr;
}

// All seven functions, in the fixed order, stopping at the first missing.
bool LookUpAll(HMODULE user32) {
  return user32 && LookUp(user32, "GetSystemMetrics", &layer.getSystemMetrics) &&
         LookUp(user32, "MonitorFromWindow", &layer.monitorFromWindow) &&
         LookUp(user32, "MonitorFromRect", &layer.monitorFromRect) &&
         LookUp(user32, "MonitorFromPoint", &layer.monitorFromPoint) &&
         LookUp(user32, "EnumDisplayMonitors", &layer.enumDisplayMonitors) &&
         LookUp(user32, "GetMonitorInfoA", &layer.getMonitorInfo) &&
         LookUp(user32, "EnumDisplayDevicesA", &layer.enumDisplayDevices);
}

bool VirtualScreenCoversPrimary() {
  return layer.getSystemMetrics(SM_CXVIRTUALSCREEN) >= layer.getSystemMetrics(SM_CXSCREEN) &&
         layer.getSystemMetrics(SM_CYVIRTUALSCREEN) >= layer.getSystemMetrics(SM_CYSCREEN);
}

void InitialiseLayer() {
  if (layer.initialised) return;
  if (!LookUpAll(GetModuleHandleA("USER32")) || !VirtualScreenCoversPrimary()) layer = MultiMonLayer{};
  layer.initialised = true;
}

}  // namespace

bool MultiMonIsLive() {
  InitialiseLayer();
  return layer.enumDisplayDevices != nullptr;
}

BOOL MultiMonEnumDisplayDevices(const char* device, DWORD index, DISPLAY_DEVICEA* info, DWORD flags) {
  if (!MultiMonIsLive()) return FALSE;
  return layer.enumDisplayDevices(device, index, info, flags);
}

BOOL MultiMonGetMonitorInfo(HMONITOR monitor, MONITORINFOEXA* info) {
  if (!MultiMonIsLive()) return FALSE;
  info->cbSize = sizeof *info;
  return layer.getMonitorInfo(monitor, reinterpret_cast<MONITORINFO*>(info));
}

BOOL MultiMonEnumDisplayMonitors(MONITORENUMPROC callback, LPARAM data) {
  if (!MultiMonIsLive()) return FALSE;
  return layer.enumDisplayMonitors(nullptr, nullptr, callback, data);
}

HMONITOR MultiMonMonitorFromRect(const RECT* rect, DWORD flags) {
  if (MultiMonIsLive()) return layer.monitorFromRect(rect, flags);
  ScreenRect r = {rect->left, rect->top, rect->right, rect->bottom};
  uintptr_t monitor = FallbackMonitorFromRect(r, flags, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return reinterpret_cast<HMONITOR>(monitor);
}
