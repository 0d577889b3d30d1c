// The display-mode list of the configuration dialog, its selection and the
// desktop's mode.
#include "ui/display_mode_list_win32.h"

#include "settings/saver_settings.h"

namespace {

DisplayMode ModeOf(const DEVMODEA& mode) {
  return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}

// The primary display's current settings; false when they cannot be read.
bool ReadDesktopSettings(DEVMODEA* desktop) {
  desktop->dmSize = sizeof *desktop;
  return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, desktop) != FALSE;
}

DisplayMode ConfiguredMode() {
  return DisplayMode{uint32_t(settings.Width), uint32_t(settings.Height), uint32_t(settings.Depth)};
}

// The mode the list should show: all zero (matching no item) when the
// desktop's mode cannot be read.
DisplayMode ModeToSelect() {
  if (!settings.UseDesktop) return ConfiguredMode();
  DisplayMode desktop;
  ReadDesktopMode(&desktop);
  return desktop;
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
}

void SelectDisplayMode(HWND comboBox) {
  char text[kDisplayModeTextCapacity];
  FormatDisplayMode(ModeToSelect(), text, sizeof text);
  LRESULT item = SendMessageA(comboBox, CB_FINDSTRING, WPARAM(-1), LPARAM(text));
  SendMessageA(comboBox, CB_SETCURSEL, item == CB_ERR ? WPARAM(-1) : WPARAM(item), 0);
  EnableWindow(comboBox, !settings.UseDesktop);
}

bool ReadDesktopMode(DisplayMode* mode) {
  DEVMODEA desktop = {};
  if (!ReadDesktopSettings(&desktop)) return false;
  *mode = ModeOf(desktop);
  return true;
}

uint32_t ReadDesktopRefreshRate() {
  DEVMODEA desktop = {};
  return ReadDesktopSettings(&desktop) ? uint32_t(desktop.dmDisplayFrequency) : 0;
}
