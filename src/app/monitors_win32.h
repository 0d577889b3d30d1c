// The display adapters of the machine, recorded at start-up for the saver
// run's windows.
#pragma once

#include "app/saver_app_win32.h"

// Fills app.monitors in enumeration order through the multi-monitor layer:
// every adapter that is not a mirroring driver, at most kMaxMonitors. An
// adapter attached to the desktop gets its monitor (the desktop's monitor
// of the same device name), that monitor's area and whether it is the
// primary one; the primary adapter need not come first. Without the layer
// nothing is found and monitorCount is 0.
void EnumerateMonitors(SaverApp& app);
