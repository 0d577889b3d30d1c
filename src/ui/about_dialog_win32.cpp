// The about dialog's procedure: the caption and the seven about lines from
// the label table, ended by OK, Escape or the close box.
#include "ui/about_dialog_win32.h"

#include "ui/dialog_ids.h"
#include "ui/label_table.h"
#include "ui/wide_text_win32.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextW(dialog, WideText(GetLabel("about")));
    for (int i = 0; i < kAboutLineCount; ++i) SetDlgItemTextW(dialog, IDC_ABOUT_FIRST_LINE + i, WideText(aboutLines[i]));
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}
