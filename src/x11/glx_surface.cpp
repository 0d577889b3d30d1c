// Opening the native program's window and GL context, and its events.
#include "x11/glx_surface.h"

#include <poll.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdio>

#include "x11/randr_refresh.h"

namespace {

constexpr int kOwnWindowWidth = 800;   // pixels; the saver's 4:3 shape
constexpr int kOwnWindowHeight = 600;  // pixels

// The window the surface draws into, for the error handler (Xlib's handler
// takes no pointer of ours; a process has one surface), and whether a
// request on it failed because it is gone.
Window drawnWindow = 0;
bool drawnWindowGone = false;

// A window that goes away under the program is the ordinary end of a run
// under xscreensaver: the daemon (or its settings' preview pane) destroys
// the window as it ends the program, so the frame or the size query under
// way when that happens fails with BadDrawable or BadWindow naming it. That
// ends the run without a word. Other X errors are reported and otherwise
// left to the calls that check their result; Xlib's default handler would
// end the process.
int ReportXError(Display* display, XErrorEvent* error) {
  const bool namesDrawnWindow = drawnWindow != 0 && error->resourceid == drawnWindow;
  if (namesDrawnWindow && (error->error_code == BadDrawable || error->error_code == BadWindow)) {
    drawnWindowGone = true;
    return 0;
  }
  char text[128] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "terrava: X error: %s\n", text);
  return 0;
}

// Asks the window manager to show window over the whole screen, before it
// is mapped (_NET_WM_STATE_FULLSCREEN).
void RequestFullscreen(Display* display, Window window) {
  Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&fullscreen), 1);
}

}  // namespace

GlxSurface::~GlxSurface() {
  if (display_ == nullptr) return;
  glXMakeCurrent(display_, None, nullptr);
  if (context_ != nullptr) glXDestroyContext(display_, context_);
  if (ownWindow_) XDestroyWindow(display_, window_);
  if (colormap_ != 0) XFreeColormap(display_, colormap_);
  XCloseDisplay(display_);
}

bool GlxSurface::Open(const WindowChoice& choice) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    std::fprintf(stderr, "terrava: cannot open the X display\n");
    return false;
  }
  XSetErrorHandler(ReportXError);
  endsOnInput_ = choice.endsOnInput;
  switch (choice.kind) {
    case WindowKind::kRoot: return TakeWindow(DefaultRootWindow(display_));
    case WindowKind::kExisting: return TakeWindow(Window(choice.id));
    case WindowKind::kFullscreen: return CreateOwnWindow(true);
    case WindowKind::kOwnWindow: break;
  }
  return CreateOwnWindow(false);
}

bool GlxSurface::CreateOwnWindow(bool fullscreen) {
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                      GLX_DEPTH_SIZE, 24, None};
  const int screen = DefaultScreen(display_);
  XVisualInfo* visual = glXChooseVisual(display_, screen, attributes);
  if (visual == nullptr) {
    std::fprintf(stderr, "terrava: no double-buffered RGB visual with a depth buffer\n");
    return false;
  }
  const Window root = RootWindow(display_, screen);
  colormap_ = XCreateColormap(display_, root, visual->visual, AllocNone);
  XSetWindowAttributes set = {};
  set.colormap = colormap_;
  set.background_pixel = BlackPixel(display_, screen);
  set.event_mask = KeyPressMask | ButtonPressMask | StructureNotifyMask;
  const int width = fullscreen ? DisplayWidth(display_, screen) : kOwnWindowWidth;
  const int height = fullscreen ? DisplayHeight(display_, screen) : kOwnWindowHeight;
  window_ = XCreateWindow(display_, root, 0, 0, unsigned(width), unsigned(height), 0, visual->depth, InputOutput,
                          visual->visual, CWColormap | CWBackPixel | CWEventMask, &set);
  drawnWindow = window_;
  ownWindow_ = true;
  XStoreName(display_, window_, "Terrava");
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  if (fullscreen) RequestFullscreen(display_, window_);
  XMapRaised(display_, window_);
  bool made = CreateContext(visual);
  XFree(visual);
  return made;
}

// Draws into a window someone else owns, in the visual it was made with.
bool GlxSurface::TakeWindow(Window existing) {
  XWindowAttributes attributes = {};
  if (XGetWindowAttributes(display_, existing, &attributes) == 0) {
    std::fprintf(stderr, "terrava: window 0x%lx does not exist\n", existing);
    return false;
  }
  window_ = existing;
  drawnWindow = window_;
  XVisualInfo wanted = {};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  XVisualInfo* visual = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
  if (visual == nullptr) {
    std::fprintf(stderr, "terrava: the window's visual is unknown\n");
    return false;
  }
  bool made = CreateContext(visual);
  XFree(visual);
  return made;
}

bool GlxSurface::CreateContext(XVisualInfo* visual) {
  int usesGl = 0;
  if (glXGetConfig(display_, visual, GLX_USE_GL, &usesGl) != 0 || !usesGl) {
    std::fprintf(stderr, "terrava: the window's visual does not support OpenGL\n");
    return false;
  }
  context_ = glXCreateContext(display_, visual, nullptr, True);
  if (context_ == nullptr || !glXMakeCurrent(display_, window_, context_)) {
    std::fprintf(stderr, "terrava: cannot make an OpenGL context current\n");
    return false;
  }
  return true;
}

bool GlxSurface::QuerySize(int* width, int* height) {
  XWindowAttributes attributes = {};
  if (drawnWindowGone || XGetWindowAttributes(display_, window_, &attributes) == 0) return false;
  *width = attributes.width;
  *height = attributes.height;
  return true;
}

bool GlxSurface::TakeEvents() {
  bool end = false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (!endsOnInput_) continue;
    if (event.type == KeyPress || event.type == ButtonPress) end = true;
    if (event.type == ClientMessage && Atom(event.xclient.data.l[0]) == deleteWindow_) end = true;
    if (event.type == DestroyNotify) end = true;
  }
  return end;
}

void GlxSurface::WaitForEvent(double seconds) {
  pollfd connection = {ConnectionNumber(display_), POLLIN, 0};
  poll(&connection, 1, int(seconds * 1000.0) + 1);
}

void GlxSurface::SwapBuffers() { glXSwapBuffers(display_, window_); }

uint32_t GlxSurface::RefreshHertz() { return WindowRefreshHertz(display_, window_); }
