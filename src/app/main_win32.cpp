// Entry point of terrava.scr: start-up, then exactly one run mode (the
// configuration dialog, the preview or the full-screen saver). The process
// always ends with exit code 0.
#include <windows.h>

#include "app/preview_window_win32.h"
#include "app/saver_app_win32.h"
#include "app/saver_run_win32.h"
#include "app/startup_win32.h"
#include "ui/config_dialog_win32.h"

namespace {

// The configuration dialog, owned by the window named after /c (if any).
int RunConfig(SaverApp& app) {
  ShowConfigDialog(app.instance, ParentWindowHandle(app));
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  SaverApp app;
  app.instance = instance;
  app.showCommand = showCommand;
  Startup(app);
  switch (app.runMode) {
    case RunMode::Saver:
    case RunMode::Test: RunSaver(app); break;  // the run's windows go with the process
    case RunMode::Config: RunConfig(app); break;
    case RunMode::Preview: RunPreview(app); break;
  }
  return 0;
}
