// The display mode of a saver run: the list of selectable modes for the
// configuration dialog, the temporary switch to the configured mode (with
// the cursor hidden) and its undoing. Win32 only.
#pragma once

#include <windows.h>

// Fills a combo box with the primary display's modes as "W x H B bits"
// (at least 640 x 480 at 16 bits, runs of equal modes once) and selects the
// configured mode; with UseDesktop it selects the desktop mode and disables
// the box.
void FillDisplayModeList(HWND comboBox);

// Switches the primary display to Width x Height at Depth bits for the
// time of the process and hides the cursor. With UseDesktop the display
// keeps its mode: nothing is switched, so nothing is restored at the end.
// True when the display took the mode; false with UseDesktop, when it
// refused the mode, or when the size is below 640 x 480 (never asked for):
// the desktop's mode then stays.
bool ChangeDisplayMode();
// Returns the display to its registry mode when ChangeDisplayMode switched
// it (and the switch succeeded); does nothing otherwise, so every exit path
// may call it.
void RestoreDisplayMode();
// Shows the cursor that ChangeDisplayMode hid; does nothing otherwise.
void RestoreCursor();
