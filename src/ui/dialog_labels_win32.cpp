// The label of every labelled control of the configuration dialog, as one
// table of control id and label key.
#include "ui/dialog_labels_win32.h"

#include <string>

#include "ui/dialog_ids.h"
#include "ui/label_table.h"
#include "ui/wide_text_win32.h"

namespace {

struct ControlLabel {
  int id;
  const char* key;
};

const ControlLabel kControlLabels[] = {
    // control id            label key
    {IDC_VIDEO_GROUP, "video_mode_selection"},
    {IDC_USE_DESKTOP, "use_desktop_settings"},
    {IDC_VSYNC, "vsync"},
    {IDC_OPTIONS_GROUP, "options"},
    {IDC_SHOW_FPS, "show_fps"},
    {IDC_MOUSE_EXIT, "exit_on_mouse_move"},
    {IDC_SHOW_CLOCK, "show_time"},
    {IDC_CLOCK_12H, "12h_style"},
    {IDC_CLOCK_24H, "24h_style"},
    {IDC_CAMERA_GROUP, "camera_options"},
    {IDC_SPEED_TEXT, "camera_speed"},
    {IDC_REAL_DAY_NIGHT, "show_real_day_night"},
    {IDC_GAMMA_GROUP, "gamma_control"},
    {IDC_DEF_GAMMA, "use_by_default"},
    {IDC_SOUND_GROUP, "sound_control"},
    {IDC_ENABLE_MUSIC, "enable_music"},
    {IDC_PRODUCTS_GROUP, "products"},
    {IDC_WEB_SITE_TEXT, "visit_our_official_web-site"},
    {IDC_VISIT, "visit..."},
    {IDC_RESTORE_DEFAULTS, "restore_defaults"},
    {IDOK, "ok"},
    {IDCANCEL, "cancel"},
};

}  // namespace

void ApplyDialogLabels(HWND dialog) {
  SetWindowTextW(dialog, WideText(GetLabel("screensaver_configuration")));
  for (const ControlLabel& label : kControlLabels) SetDlgItemTextW(dialog, label.id, WideText(GetLabel(label.key)));
  // The About button opens another window, hence the ellipsis.
  SetDlgItemTextW(dialog, IDC_ABOUT, WideText(GetLabel("about") + u"..."));
}
