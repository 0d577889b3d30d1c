// terrava: the native program, an xscreensaver display mode that also runs
// in a window of its own. Reads the command line, takes the factory
// defaults from the linked resources, opens the window the choice rule
// names and runs the saver there. Exit codes: 0 after a run (or -help),
// 1 for a bad command line or a window or GL context that cannot be had.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/defaults_problems.h"
#include "settings/saver_settings.h"
#include "x11/glx_surface.h"
#include "x11/linked_resources.h"
#include "x11/saver_options.h"
#include "x11/window_choice.h"
#include "x11/x11_saver_run.h"

namespace {

// The factory defaults, then the command line.
void LoadRunSettings(const SaverOptions& options, bool underXscreensaver) {
  PosixSetLinkedResources(terrava_linked_resources, terrava_linked_resource_count);
  LoadDefaultsTableShowingProblems();
  ApplyDefaultsShowingProblems(settings);
  ApplySaverOptions(options, underXscreensaver, settings);
}

}  // namespace

int main(int argc, char** argv) {
  SaverOptions options;
  std::string error;
  if (!ParseSaverOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "terrava: %s\n%s\n", error.c_str(), kSaverUsage);
    return 1;
  }
  if (options.help) {
    std::printf("%s\n", kSaverUsage);
    return 0;
  }
  const char* xscreensaverWindow = std::getenv("XSCREENSAVER_WINDOW");
  LoadRunSettings(options, xscreensaverWindow != nullptr);
  GlxSurface surface;
  if (!surface.Open(ChooseWindow(options, xscreensaverWindow))) return 1;
  X11RunReport report = RunX11Saver(surface);
  if (settings.ShowFPS && report.seconds > 0.0)
    std::fprintf(stderr, "terrava: %lu frames in %.1f s (%.1f frames per second)\n", report.frames, report.seconds,
                 double(report.frames) / report.seconds);
  return 0;
}
