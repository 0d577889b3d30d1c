// Start-up of every run mode, the preview included.
#include "app/startup_win32.h"

#include "app/monitors_win32.h"
#include "settings/defaults_problems.h"
#include "settings/saver_settings.h"
#include "settings/settings_registry_win32.h"
#include "ui/display_mode_list_win32.h"
#include "ui/label_table.h"

namespace {

// With UseDesktop, the run uses the primary display's current mode; the
// stored Width, Height and Depth stay in the registry until the dialog
// saves the settings.
void TakeDesktopMode() {
  DisplayMode mode;
  if (!ReadDesktopMode(&mode)) return;
  settings.Width = int32_t(mode.width);
  settings.Height = int32_t(mode.height);
  settings.Depth = int32_t(mode.bits);
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
