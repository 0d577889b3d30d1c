// The native program's loading steps and frame loop.
#include "x11/x11_saver_run.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "camera/random.h"
#include "overlay/loader_screen.h"
#include "platform/posix_platform.h"
#include "run/frame_pacer.h"
#include "run/run_frame.h"
#include "run/run_loading.h"
#include "scene/frame_state.h"
#include "settings/saver_settings.h"
#include "x11/sdl_music.h"

namespace {

constexpr double kLongestWait = 0.1;  // seconds; a signal that slips past poll waits no longer
// After a stop signal the loop finishes its frame and releases the world;
// a frame slower than this (a software renderer on a large window) does
// not hold the exit up: the process ends at the end of the grace time.
constexpr long kStopGraceNanoseconds = 200000000;  // 0.2 s

volatile sig_atomic_t loading = 1;
volatile sig_atomic_t stopRequested = 0;
timer_t stopGraceTimer;
GlxSurface* loadingSurface = nullptr;  // swapped after each loading step
FrameSize loadingFrame;                 // the drawable while loading
RunState* loadingRun = nullptr;         // the run being loaded

// Nothing the process holds outlives it (the X server frees the window and
// the context, and the program changes no server state), so ending at once
// is a clean end.
void OnGraceOver(int) { _exit(0); }

void OnStopSignal(int) {
  if (loading) _exit(0);
  stopRequested = 1;
  itimerspec grace = {};
  grace.it_value.tv_nsec = kStopGraceNanoseconds;
  timer_settime(stopGraceTimer, 0, &grace, nullptr);
}

void CatchStopSignals() {
  struct sigaction action = {};
  sigemptyset(&action.sa_mask);
  action.sa_handler = OnGraceOver;
  sigaction(SIGALRM, &action, nullptr);
  sigevent expiry = {};
  expiry.sigev_notify = SIGEV_SIGNAL;
  expiry.sigev_signo = SIGALRM;
  if (timer_create(CLOCK_MONOTONIC, &expiry, &stopGraceTimer) != 0) stopGraceTimer = timer_t{};
  action.sa_handler = OnStopSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

double NowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void ShowLoadingStep() {
  if (!LoadingFrameDue(*loadingRun, NowSeconds())) return;
  DrawLoadingFrame(loadingFrame);
  loadingSurface->SwapBuffers();
}

// The drawable is width x height pixels: the viewport, the projection, the
// overlay and the flares follow it.
void FollowDrawableSize(RunState& run, int width, int height) {
  run.camera.frame = FrameSize{width, height};
  InitSceneGlState(run.camera.frame);
}

// Frames per second the loop may draw: FrameLimit, by default the refresh
// rate of the monitor that shows the window (the fallback rate when the X
// server does not report one, as Xvfb does not).
uint32_t RunFrameLimit(GlxSurface& surface) {
  return FrameLimitFromSettings(settings.FrameLimit, surface.RefreshHertz());
}

void LoadWorld(GlxSurface& surface, RunState& run) {
  int width = 0, height = 0;
  surface.QuerySize(&width, &height);
  FollowDrawableSize(run, width, height);
  LoadLoaderScreen();
  loadingSurface = &surface;
  loadingFrame = run.camera.frame;
  loadingRun = &run;
  PosixSetLoadingCallback(ShowLoadingStep);
  LoadRunWorld(run);
  PosixSetLoadingCallback(nullptr);
  RandomSeed(uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
}

// True while the window is there at some size; follows a new size.
bool FollowResize(GlxSurface& surface, RunState& run) {
  int width = 0, height = 0;
  if (!surface.QuerySize(&width, &height)) return false;
  if (width != run.camera.frame.width || height != run.camera.frame.height) FollowDrawableSize(run, width, height);
  return true;
}

}  // namespace

X11RunReport RunX11Saver(GlxSurface& surface) {
  CatchStopSignals();
  RunState run;
  LoadWorld(surface, run);
  SdlMusic music;
  if (settings.EnableMusic) music.Start(uint32_t(settings.Volume));
  FramePacer pacer(RunFrameLimit(surface));
  const double start = NowSeconds();
  BeginRunFlight(run, uint32_t(settings.Speed), start);
  loading = 0;
  X11RunReport report;
  double last = start;
  while (!stopRequested && !surface.TakeEvents() && FollowResize(surface, run)) {
    double now = NowSeconds();
    double wait = pacer.WaitBefore(now);
    if (wait > 0.0) {
      surface.WaitForEvent(std::min(wait, kLongestWait));
      continue;
    }
    pacer.FrameBegun(now);
    AdvanceRun(run, now - last);
    last = now;
    RefreshFrameRate(run, now);
    RenderRunFrame(run);
    surface.SwapBuffers();
    ++report.frames;
  }
  report.seconds = NowSeconds() - start;
  ReleaseRunWorld(run);
  return report;
}
