// EnumerateMonitors over the multi-monitor layer.
#include "app/monitors_win32.h"

#include <cstdio>
#include <cstring>

#include "app/multi_monitor_win32.h"

namespace {

// The adapter's area on the virtual desktop from its current mode; the
// primary adapter sits at the origin.
RECT AdapterBounds(const DISPLAY_DEVICEA& adapter) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
  RECT bounds = {0, 0, 0, 0};
  if (!(adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)) {
    bounds.left = mode.dmPosition.x;
    bounds.top = mode.dmPosition.y;
  }
  bounds.right = bounds.left + LONG(mode.dmPelsWidth);
  bounds.bottom = bounds.top + LONG(mode.dmPelsHeight);
  return bounds;
}

// One search of the desktop's monitors for the one shown by an adapter.
struct MonitorSearch {
  const char* device;      // the adapter's device name, "\\.\DISPLAY1"
  HMONITOR found;          // null until found
  MONITORINFOEXA info;     // the found monitor's area and flags
};

BOOL CALLBACK MatchMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MonitorSearch* search = reinterpret_cast<MonitorSearch*>(data);
  MONITORINFOEXA info = {};
  if (!MultiMonGetMonitorInfo(monitor, &info) || std::strcmp(info.szDevice, search->device) != 0) return TRUE;
  search->found = monitor;
  search->info = info;
  return FALSE;  // found: stop
}

// The adapter's monitor, its area and whether it is the primary one, from
// the desktop's monitor of the same device name. Where none matches, the
// area comes from the adapter's current mode and the monitor is the one
// covering it.
void PlaceOnMonitor(const DISPLAY_DEVICEA& adapter, MonitorRecord* record) {
  MonitorSearch search = {adapter.DeviceName, nullptr, {}};
  MultiMonEnumDisplayMonitors(MatchMonitor, reinterpret_cast<LPARAM>(&search));
  if (search.found) {
    record->monitor = search.found;
    record->bounds = search.info.rcMonitor;
    record->primary = (search.info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return;
  }
  record->bounds = AdapterBounds(adapter);
  record->monitor = MultiMonMonitorFromRect(&record->bounds, MONITOR_DEFAULTTONULL);
  record->primary = (adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0;
}

void RecordAdapter(const DISPLAY_DEVICEA& adapter, MonitorRecord* record) {
  DISPLAY_DEVICEA monitor = {};
  monitor.cb = sizeof monitor;
  MultiMonEnumDisplayDevices(adapter.DeviceName, 0, &monitor, 0);  // may fail: name stays empty

  *record = MonitorRecord{};
  std::snprintf(record->adapterName, sizeof record->adapterName, "%.*s",
                int(sizeof adapter.DeviceString), adapter.DeviceString);
  std::snprintf(record->monitorName, sizeof record->monitorName, "%.*s",
                int(sizeof monitor.DeviceString), monitor.DeviceString);
  if (adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) PlaceOnMonitor(adapter, record);
}

}  // namespace

void EnumerateMonitors(SaverApp& app) {
  app.monitorCount = 0;
  for (DWORD index = 0; app.monitorCount < kMaxMonitors; ++index) {
    DISPLAY_DEVICEA adapter = {};
    adapter.cb = sizeof adapter;
    if (!MultiMonEnumDisplayDevices(nullptr, index, &adapter, 0)) break;
    if (adapter.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
    RecordAdapter(adapter, &app.monitors[app.monitorCount]);
    ++app.monitorCount;
  }
}
