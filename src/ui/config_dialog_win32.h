// The configuration dialog (template 101), in which the user edits
// `settings`. OK writes the settings with SaveSettings; Cancel and the
// close box save nothing. Windows build only.
#pragma once

#include <windows.h>

// Shows the configuration dialog modally (owner may be null) and returns
// IDOK or IDCANCEL (or -1 when the dialog could not be created). The label
// table, the defaults and `settings` must be loaded first.
INT_PTR ShowConfigDialog(HINSTANCE instance, HWND owner);

// Dialog procedure of template 101: handles WM_INITDIALOG, WM_COMMAND and
// WM_HSCROLL.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
