// Display-mode list, switch and restore.
#include "app/display_settings.h"

#include "app/display_mode.h"
#include "settings/saver_settings.h"

namespace {

bool modeChanged = false;   // ChangeDisplayMode ran and was not undone yet
bool cursorHidden = false;

DisplayMode ModeOf(const DEVMODEA& mode) {
  return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}

void SelectMode(HWND comboBox, const DisplayMode& mode) {
  char text[kDisplayModeTextCapacity];
  FormatDisplayMode(mode, text, sizeof text);
  SendMessageA(comboBox, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void FillDisplayModeList(HWND comboBox) {
  DisplayModeFilter filter;
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
    if (!filter.Accept(ModeOf(mode))) continue;
    char text[kDisplayModeTextCapacity];
    FormatDisplayMode(ModeOf(mode), text, sizeof text);
    SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  if (!settings.UseDesktop) {
    SelectMode(comboBox, DisplayMode{uint32_t(settings.Width), uint32_t(settings.Height), uint32_t(settings.Depth)});
    return;
  }
  DEVMODEA desktop = {};
  desktop.dmSize = sizeof desktop;
  if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop)) SelectMode(comboBox, ModeOf(desktop));
  EnableWindow(comboBox, FALSE);
}

bool ChangeDisplayMode() {
  // With UseDesktop no mode is asked for; a size the dialog never lists
  // counts as refused without asking: the run keeps the desktop's mode.
  if (!settings.UseDesktop && settings.Width >= int32_t(kMinListedWidth) &&
      settings.Height >= int32_t(kMinListedHeight)) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = DWORD(settings.Width);
    mode.dmPelsHeight = DWORD(settings.Height);
    mode.dmBitsPerPel = DWORD(settings.Depth);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    // Only a switch that happened is undone: a restore after a refused
    // switch would reset the display for nothing.
    modeChanged = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
  }
  ShowCursor(FALSE);
  cursorHidden = true;
  return modeChanged;
}

void RestoreDisplayMode() {
  if (!modeChanged) return;
  ChangeDisplaySettingsA(nullptr, 0);
  modeChanged = false;
}

void RestoreCursor() {
  if (!cursorHidden) return;
  ShowCursor(TRUE);
  cursorHidden = false;
}
