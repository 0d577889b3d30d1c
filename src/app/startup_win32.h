// Start-up: everything the program reads before it runs one mode.
#pragma once

#include "app/saver_app_win32.h"

// In this order: the factory defaults (resource 115) into settings, the
// command line into app.runMode and app.parentWindow, the stored settings,
// the display adapters, the desktop display mode when UseDesktop is set,
// and defaultSettings. Always returns 1: a step that finds nothing leaves
// its values as they were.
int Startup(SaverApp& app);
