// Filling and reading the controls of the configuration dialog.
#include "ui/config_controls_win32.h"

#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "settings/settings_store.h"
#include "ui/dialog_ids.h"
#include "ui/display_mode.h"
#include "ui/display_mode_list_win32.h"
#include "ui/label_table.h"
#include "ui/wide_text_win32.h"

namespace {

constexpr int kTrackbarPageSize = 10;  // positions moved by page up / page down

void ResetGamma(HWND dialog);

const CheckBoxSetting kCheckBoxes[] = {
    // control id       setting                        dependent controls
    {IDC_USE_DESKTOP, &SaverSettings::UseDesktop, SelectModeItem},
    {IDC_ENABLE_MUSIC, &SaverSettings::EnableMusic, ApplyEnabling},
    {IDC_DEF_GAMMA, &SaverSettings::DefGamma, ResetGamma},
    {IDC_SHOW_CLOCK, &SaverSettings::ShowClock, ApplyEnabling},
    {IDC_SHOW_FPS, &SaverSettings::ShowFPS, nullptr},
    {IDC_VSYNC, &SaverSettings::VSync, nullptr},
    {IDC_MOUSE_EXIT, &SaverSettings::MouseExit, nullptr},
    {IDC_REAL_DAY_NIGHT, &SaverSettings::RealDayNight, nullptr},
};

struct TrackbarSetting {
  int id;
  int32_t SaverSettings::*field;
  int minimum;
  int maximum;
};

const TrackbarSetting kTrackbars[] = {
    // control id  setting                 range
    {IDC_VOLUME, &SaverSettings::Volume, 1, 100},  // never silent: music off is its own box
    {IDC_GAMMA, &SaverSettings::Gamma, 0, 100},
    {IDC_SPEED, &SaverSettings::Speed, 0, 100},
};

void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable);
}

// Both directions of "Use Default Setting" put the brightness back to neutral.
void ResetGamma(HWND dialog) {
  settings.Gamma = kNeutralGamma;
  SendDlgItemMessageA(dialog, IDC_GAMMA, TBM_SETPOS, TRUE, kNeutralGamma);
  ApplyEnabling(dialog);
  ShowPercentTexts(dialog);
}

void SetPercentText(HWND dialog, int id, const char* key, int percent) {
  std::string digits = std::to_string(percent);
  std::u16string text = GetLabel(key) + u" (" + std::u16string(digits.begin(), digits.end()) + u"%)";
  SetDlgItemTextW(dialog, id, WideText(text));
}

void SetCheckMarks(HWND dialog) {
  for (const CheckBoxSetting& box : kCheckBoxes)
    CheckDlgButton(dialog, box.id, settings.*box.field ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_CLOCK_12H, settings.TimeFormat ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_CLOCK_24H, settings.TimeFormat ? BST_UNCHECKED : BST_CHECKED);
}

void SetTrackbars(HWND dialog) {
  for (const TrackbarSetting& bar : kTrackbars) {
    SendDlgItemMessageA(dialog, bar.id, TBM_SETRANGE, FALSE, MAKELPARAM(bar.minimum, bar.maximum));
    SendDlgItemMessageA(dialog, bar.id, TBM_SETPAGESIZE, 0, kTrackbarPageSize);
    SendDlgItemMessageA(dialog, bar.id, TBM_SETPOS, TRUE, settings.*bar.field);
  }
}

// The dialog's DPI: GetDpiForWindow where the system has it (Windows 10
// 1607 and later; looked up so that the program still starts on older
// systems), else the screen's.
UINT DialogDpi(HWND dialog) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), "GetDpiForWindow")));
  UINT dpi = getDpi ? getDpi(dialog) : 0;
  if (dpi > 0) return dpi;
  HDC dc = GetDC(dialog);
  dpi = UINT(GetDeviceCaps(dc, LOGPIXELSY));
  ReleaseDC(dialog, dc);
  return dpi > 0 ? dpi : 96;
}

void MoveControlUp(HWND dialog, int id, int pixels) {
  HWND control = GetDlgItem(dialog, id);
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(control, nullptr, r.left, r.top - pixels, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const CheckBoxSetting* FindCheckBox(int id) {
  for (const CheckBoxSetting& box : kCheckBoxes)
    if (box.id == id) return &box;
  return nullptr;
}

void ToggleCheckBox(HWND dialog, const CheckBoxSetting& box) {
  settings.*box.field = !(settings.*box.field);
  CheckDlgButton(dialog, box.id, settings.*box.field ? BST_CHECKED : BST_UNCHECKED);
  if (box.after) box.after(dialog);
}

void SelectModeItem(HWND dialog) { SelectDisplayMode(GetDlgItem(dialog, IDC_VIDEO_MODES)); }

void ApplyEnabling(HWND dialog) {
  EnableControls(dialog, {IDC_VOLUME, IDC_VOLUME_TEXT}, settings.EnableMusic);
  EnableControls(dialog, {IDC_GAMMA, IDC_BRIGHTNESS_TEXT}, !settings.DefGamma);
  EnableControls(dialog, {IDC_CLOCK_12H, IDC_CLOCK_24H}, settings.ShowClock);
}

void ShowPercentTexts(HWND dialog) {
  SetPercentText(dialog, IDC_VOLUME_TEXT, "master_volume:", settings.Volume);
  SetPercentText(dialog, IDC_BRIGHTNESS_TEXT, "brightness", settings.Gamma + 50);
}

void FillConfigControls(HWND dialog) {
  SelectModeItem(dialog);
  SetCheckMarks(dialog);
  ApplyEnabling(dialog);
  ShowPercentTexts(dialog);
  SetTrackbars(dialog);
}

void ReadTrackbars(HWND dialog) {
  for (const TrackbarSetting& bar : kTrackbars)
    settings.*bar.field = int32_t(SendDlgItemMessageA(dialog, bar.id, TBM_GETPOS, 0, 0));
  ShowPercentTexts(dialog);
}

void ReadSelectedMode(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_VIDEO_MODES);
  LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return;
  char text[kDisplayModeTextCapacity];
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, WPARAM(item), 0);
  if (length == CB_ERR || length >= LRESULT(sizeof text)) return;  // no mode text fits
  SendMessageA(list, CB_GETLBTEXT, WPARAM(item), LPARAM(text));
  DisplayMode mode;
  if (!ParseDisplayMode(text, &mode)) return;
  settings.Width = int32_t(mode.width);
  settings.Height = int32_t(mode.height);
  settings.Depth = int32_t(mode.bits);
}

void ReadClockFormat(HWND dialog) {
  settings.TimeFormat = IsDlgButtonChecked(dialog, IDC_CLOCK_12H) == BST_CHECKED;
}

void CloseUnusedRow(HWND dialog) {
  const int row = MulDiv(kUnusedRowPixels, int(DialogDpi(dialog)), 96);  // pixels
  for (int id : {IDC_RESTORE_DEFAULTS, IDOK, IDCANCEL}) MoveControlUp(dialog, id, row);
  RECT r;
  GetWindowRect(dialog, &r);
  // Half the height comes off the top as well, so the dialog stays centred.
  SetWindowPos(dialog, nullptr, r.left, r.top + row / 2, r.right - r.left, r.bottom - r.top - row,
               SWP_NOZORDER | SWP_NOACTIVATE);
}
