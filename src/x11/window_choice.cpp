// The window-choice rule of the native program.
#include "x11/window_choice.h"

WindowChoice ChooseWindow(const SaverOptions& options, const char* xscreensaverWindow) {
  WindowChoice choice;
  uint64_t id = 0;
  if (xscreensaverWindow != nullptr && ParseWindowId(xscreensaverWindow, &id)) {
    choice.kind = WindowKind::kExisting;
    choice.id = id;
  } else if (options.windowId != 0) {
    choice.kind = WindowKind::kExisting;
    choice.id = options.windowId;
  } else if (options.root) {
    choice.kind = WindowKind::kRoot;
  } else {
    choice.kind = options.fullscreen ? WindowKind::kFullscreen : WindowKind::kOwnWindow;
  }
  choice.endsOnInput = choice.kind == WindowKind::kOwnWindow || choice.kind == WindowKind::kFullscreen;
  return choice;
}
