// The about dialog's procedure: the caption and the seven about lines from
// the label table, ended by OK, Escape or the close box.
#include "ui/about_dialog.h"

#include "ui/dialog_ids.h"
#include "ui/label_table.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetWindowTextA(dialog, GetLabel("about").c_str());
    for (int i = 0; i < kAboutLineCount; ++i)
      SetDlgItemTextA(dialog, IDC_ABOUT_FIRST_LINE + i, aboutLines[i].c_str());
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}
