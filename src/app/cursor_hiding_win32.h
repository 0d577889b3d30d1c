// The cursor of a saver run: hidden for the run, shown again at its end.
// Win32 only.
#pragma once

// Hides the cursor (one step of the system's display counter).
void HideCursor();
// Shows the cursor that HideCursor hid; does nothing otherwise, so every
// exit path may call it.
void RestoreCursor();
