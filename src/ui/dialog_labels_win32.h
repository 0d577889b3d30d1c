// Puts the label table's texts on the configuration dialog: its caption and
// every group box, check box, radio button, push button and fixed text.
// Windows build only.
#pragma once

#include <windows.h>

// Sets the caption and the control texts of a configuration dialog from the
// label table, through the wide window functions; a missing label leaves
// its text empty.
void ApplyDialogLabels(HWND dialog);
