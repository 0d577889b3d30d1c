// The configuration dialog's procedure: filling the controls when it opens,
// one action per command, the trackbar rules, OK and Cancel.
#include "ui/config_dialog_win32.h"

#include <commctrl.h>

#include "settings/defaults_table.h"
#include "settings/settings_registry_win32.h"
#include "ui/about_dialog_win32.h"
#include "ui/config_controls_win32.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_labels_win32.h"
#include "ui/display_mode_list_win32.h"
#include "ui/user_guide_win32.h"

namespace {

void OnInitDialog(HWND dialog) {
  ApplyDialogLabels(dialog);
  CloseUnusedRow(dialog);
  FillDisplayModeList(GetDlgItem(dialog, IDC_VIDEO_MODES));
  FillConfigControls(dialog);
  // Without a guide beside the program or in the install folder (a saver
  // copied by hand), Visit... has nothing to open.
  EnableWindow(GetDlgItem(dialog, IDC_VISIT), !FindUserGuide().empty());
}

void VisitUserGuide(HWND dialog) {
  std::u16string guide = FindUserGuide();
  if (!guide.empty()) OpenUserGuide(dialog, guide);
}

void ShowAbout(HWND dialog) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), dialog, AboutDialogProc, 0);
}

void Confirm(HWND dialog) {
  ReadTrackbars(dialog);
  ReadSelectedMode(dialog);
  ReadClockFormat(dialog);
  SaveSettings();
  EndDialog(dialog, IDOK);
}

// One action per control; false for commands the dialog leaves alone.
bool OnCommand(HWND dialog, int id) {
  if (const CheckBoxSetting* box = FindCheckBox(id)) {
    ToggleCheckBox(dialog, *box);
    return true;
  }
  switch (id) {
    case IDC_RESTORE_DEFAULTS:  // the mode list is kept as it is
      settings = defaultSettings;
      FillConfigControls(dialog);
      return true;
    case IDC_VISIT:
      VisitUserGuide(dialog);
      return true;
    case IDC_ABOUT:
      ShowAbout(dialog);
      return true;
    case IDOK:
      Confirm(dialog);
      return true;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return true;
  }
  return false;
}

}  // namespace

INT_PTR ShowConfigDialog(HINSTANCE instance, HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CONFIG), owner, ConfigDialogProc, 0);
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    case WM_HSCROLL:  // every move: keys, wheel, clicks and the thumb
      ReadTrackbars(dialog);
      return TRUE;
  }
  return FALSE;
}
