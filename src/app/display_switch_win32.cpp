// The display-mode switch of a saver run and its restore.
#include "app/display_switch_win32.h"

#include <windows.h>

#include "settings/saver_settings.h"
#include "ui/display_mode.h"

namespace {

bool modeChanged = false;  // ChangeDisplayMode switched the mode and it was not undone yet

}  // namespace

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
  return modeChanged;
}

void RestoreDisplayMode() {
  if (!modeChanged) return;
  ChangeDisplaySettingsA(nullptr, 0);
  modeChanged = false;
}
