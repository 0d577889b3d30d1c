// Start-up of every run mode, the preview included.
#include "app/startup.h"

#include "app/monitors.h"
#include "settings/settings_registry_win32.h"
#include "settings/defaults_problems.h"
#include "settings/saver_settings.h"
#include "ui/label_table.h"

namespace {

// With UseDesktop, the run uses the primary display's current mode; the
// stored Width, Height and Depth stay in the registry until the dialog
// saves the settings.
void TakeDesktopMode() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return;
  settings.Width = int32_t(mode.dmPelsWidth);
  settings.Height = int32_t(mode.dmPelsHeight);
  settings.Depth = int32_t(mode.dmBitsPerPel);
}

}  // namespace

int Startup(SaverApp& app) {
  LoadDefaultsTableShowingProblems();
  LoadLabelTable();
  ApplyDefaultsShowingProblems(settings);
  app.runMode = ParseCommandLine(GetCommandLineA(), &app.parentWindow);
  LoadSettings();
  EnumerateMonitors(app);
  if (settings.UseDesktop) TakeDesktopMode();
  defaultSettings = settings;
  ApplyDefaultsShowingProblems(defaultSettings);
  return 1;
}
