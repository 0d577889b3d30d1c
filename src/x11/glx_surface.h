// GlxSurface: the X window the native program draws into and its GLX
// context. It opens the window the window choice names (a window of its
// own, ordinary or full-screen, the root window, or an existing window such
// as xscreensaver's), makes an OpenGL context current on it, reports the
// drawable's size as it changes and its monitor's refresh rate, and takes
// the window's input events.
#pragma once

#include <X11/Xlib.h>
#include <GL/glx.h>

#include <cstdint>

#include "x11/window_choice.h"

class GlxSurface {
 public:
  GlxSurface() = default;
  ~GlxSurface();
  GlxSurface(const GlxSurface&) = delete;
  GlxSurface& operator=(const GlxSurface&) = delete;

  // Connects to the display, opens or takes the window and makes a GL
  // context current. False, with a line on stderr, when any step fails.
  bool Open(const WindowChoice& choice);

  // The drawable's size now, in pixels. False when the window is gone.
  bool QuerySize(int* width, int* height);
  // Takes every pending event. True when one of them ends the program: a
  // key or button press, or the window manager's close, on a window of the
  // program's own.
  bool TakeEvents();
  // Waits at most seconds for an event from the X server (a signal ends
  // the wait too).
  void WaitForEvent(double seconds);
  void SwapBuffers();
  // Frames per second of the monitor that shows the window; 0 when the X
  // server does not say.
  uint32_t RefreshHertz();

 private:
  bool CreateOwnWindow(bool fullscreen);
  bool TakeWindow(Window existing);
  bool CreateContext(XVisualInfo* visual);

  Display* display_ = nullptr;
  Window window_ = 0;
  bool ownWindow_ = false;       // created here, destroyed here
  bool endsOnInput_ = false;
  Colormap colormap_ = 0;        // of the own window; 0 otherwise
  Atom deleteWindow_ = 0;        // WM_DELETE_WINDOW
  GLXContext context_ = nullptr;
};
