// Where the native program draws, by xscreensaver's rule: the window named
// by the XSCREENSAVER_WINDOW environment variable when it holds a window
// id, else -window-id, else -root, else a window of its own (-fullscreen
// or, by default, an ordinary one). Only a window of its own ends the
// program on input; under xscreensaver the daemon ends it with SIGTERM.
// Portable (no X11 header), so that native tests reach it.
#pragma once

#include <cstdint>

#include "x11/saver_options.h"

enum class WindowKind { kOwnWindow, kFullscreen, kRoot, kExisting };

struct WindowChoice {
  WindowKind kind = WindowKind::kOwnWindow;
  uint64_t id = 0;          // the existing window's id (kExisting only)
  bool endsOnInput = true;  // a key, a click or closing the window ends the program
};

// xscreensaverWindow: the environment variable's value, nullptr when unset.
// A value that is not a window id is passed over.
WindowChoice ChooseWindow(const SaverOptions& options, const char* xscreensaverWindow);
