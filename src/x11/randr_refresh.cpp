// Reading the monitors and their modes through RandR.
#include "x11/randr_refresh.h"

#include <X11/extensions/Xrandr.h>

#include <vector>

#include "x11/display_refresh.h"

namespace {

ModeTiming TimingOfMode(const XRRScreenResources& resources, RRMode id) {
  ModeTiming timing;
  for (int i = 0; i < resources.nmode; ++i) {
    const XRRModeInfo& mode = resources.modes[i];
    if (mode.id != id) continue;
    timing.dotClock = mode.dotClock;
    timing.hTotal = mode.hTotal;
    timing.vTotal = mode.vTotal;
    timing.doubleScan = (mode.modeFlags & RR_DoubleScan) != 0;
    timing.interlace = (mode.modeFlags & RR_Interlace) != 0;
  }
  return timing;
}

// Every CRTC that shows a mode: one per lit monitor (RandR 1.2 and later).
std::vector<MonitorRefresh> LitMonitors(Display* display, Window root, bool current) {
  std::vector<MonitorRefresh> monitors;
  XRRScreenResources* resources =
      current ? XRRGetScreenResourcesCurrent(display, root) : XRRGetScreenResources(display, root);
  if (resources == nullptr) return monitors;
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (crtc == nullptr) continue;
    if (crtc->mode != None) {
      MonitorRefresh monitor;
      monitor.area = ScreenArea{crtc->x, crtc->y, int(crtc->width), int(crtc->height)};
      monitor.refreshHertz = RefreshHertzOfMode(TimingOfMode(*resources, crtc->mode));
      monitors.push_back(monitor);
    }
    XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
  return monitors;
}

// The window's rectangle on the screen; empty when the window cannot be
// asked (gone).
ScreenArea AreaOfWindow(Display* display, Window window, Window root) {
  XWindowAttributes attributes = {};
  int x = 0, y = 0;
  Window child = 0;
  if (XGetWindowAttributes(display, window, &attributes) == 0 ||
      !XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child))
    return ScreenArea{};
  return ScreenArea{x, y, attributes.width, attributes.height};
}

// The screen's one rate under RandR 1.0 and 1.1.
uint32_t ScreenConfigHertz(Display* display, Window root) {
  XRRScreenConfiguration* config = XRRGetScreenInfo(display, root);
  if (config == nullptr) return 0;
  const short rate = XRRConfigCurrentRate(config);
  XRRFreeScreenConfigInfo(config);
  return rate > 0 ? uint32_t(rate) : 0;
}

}  // namespace

uint32_t WindowRefreshHertz(Display* display, Window window) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return 0;
  const Window root = DefaultRootWindow(display);
  if (major == 1 && minor < 2) return ScreenConfigHertz(display, root);
  // GetScreenResourcesCurrent (1.3) returns what the server already knows;
  // the 1.2 request makes it probe the monitors, which can take a while.
  const bool current = major > 1 || minor >= 3;
  return RefreshHertzOfWindow(LitMonitors(display, root, current), AreaOfWindow(display, window, root));
}
