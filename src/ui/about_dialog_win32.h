// The about dialog (template 105), opened from the configuration dialog:
// the label "about" as its caption and the seven about lines. Windows
// build only.
#pragma once

#include <windows.h>

// Dialog procedure of template 105; OK, Escape and the close box end it.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
