// The display mode of a saver run: the temporary switch to the configured
// mode and its undoing. Win32 only.
#pragma once

// Switches the primary display to Width x Height at Depth bits for the
// time of the process. With UseDesktop the display keeps its mode: nothing
// is switched, so nothing is restored at the end.
// True when the display took the mode; false with UseDesktop, when it
// refused the mode, or when the size is below 640 x 480 (never asked for):
// the desktop's mode then stays.
bool ChangeDisplayMode();
// Returns the display to its registry mode when ChangeDisplayMode switched
// it (and the switch succeeded); does nothing otherwise, so every exit path
// may call it.
void RestoreDisplayMode();
