// The primary display's modes in the configuration dialog's combo box: the
// list, the selection of the mode a run will use, and the desktop's
// current mode and refresh rate (read here only, for the dialog, start-up
// and the run's frame limit). Win32 only.
#pragma once

#include <windows.h>

#include "ui/display_mode.h"

// Fills a combo box with the primary display's modes as "W x H B bits"
// (at least 640 x 480 at 16 bits, runs of equal modes once); selects nothing.
void FillDisplayModeList(HWND comboBox);
// Selects the desktop's current mode (UseDesktop set; the list is then
// disabled) or the configured Width x Height x Depth (list enabled): the
// first item that starts with the mode's text. A mode that is not listed
// leaves the list without selection.
void SelectDisplayMode(HWND comboBox);
// The primary display's current mode; false (and *mode untouched) when the
// system cannot report it.
bool ReadDesktopMode(DisplayMode* mode);
// The primary display's current refresh rate in hertz as the system reports
// it (0 and 1 stand for the hardware's default); 0 when it cannot be read.
uint32_t ReadDesktopRefreshRate();
