// RunSaver: windows and display, loading, the frame loop and the shutdown.
//
// [SECTION] windows   CreateRunWindows, ShowRunWindows
// [SECTION] loading   LoadRun: the loading steps in order
// [SECTION] loop      RunFrameLoop, RunFrame
// [SECTION] shutdown  ShutdownRun, RestoreSharedState, CloseRunWindows: the
//                     shared state put back first, then the run's own
//                     objects released; the windows last
#include "app/saver_run_win32.h"

#include "app/cursor_hiding_win32.h"
#include "app/display_switch_win32.h"
#include "app/frame_wait_win32.h"
#include "app/gamma_control_win32.h"
#include "app/gl_state_win32.h"
#include "app/saver_window_win32.h"
#include "audio/music_player_win32.h"
#include "camera/random.h"
#include "overlay/loader_screen.h"
#include "platform/win32_platform.h"
#include "run/run_frame.h"
#include "run/run_loading.h"
#include "settings/saver_settings.h"
#include "ui/display_mode_list_win32.h"

SaverRunState saverRun;
unsigned loadProgress = 0;

namespace {

MusicPlayer musicPlayer;  // the run's music; holds the track until Cleanup

// [SECTION] windows

// The GL window's side: the configured one when the display took the mode,
// but never beyond the primary screen as it is after the switch; the
// screen's when the display refused the mode (or was never asked, for a
// size below 640 x 480). A stored Width of 100000 or 0 thus gives a window
// that fills the screen, not a back buffer of billions of pixels that a
// software renderer clears for minutes per frame, nor one of no pixels.
int MainWindowSide(bool modeTaken, int configured, int screenMetric) {
  const int screen = GetSystemMetrics(screenMetric);
  if (screen <= 0) return configured;
  return modeTaken && configured <= screen ? configured : screen;
}

// The drawable: the GL window's client rectangle, whatever size the window
// was asked for.
FrameSize ClientFrameSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return FrameSize{int(client.right - client.left), int(client.bottom - client.top)};
}

// The record that gets the GL window: the primary monitor's, or the first
// with a handle when no monitor says it is the primary one; kMaxMonitors
// when no record has a handle.
unsigned MainRecordIndex(const SaverApp& app) {
  unsigned first = kMaxMonitors;
  for (unsigned i = 0; i < app.monitorCount; ++i) {
    if (!app.monitors[i].monitor) continue;
    if (app.monitors[i].primary) return i;
    if (first == kMaxMonitors) first = i;
  }
  return first;
}

// The GL window on the primary monitor (at the origin, where the primary
// monitor always is), a black window over every other monitor that has a
// handle, whatever the adapter order. False when a window could not be made
// or no monitor has a handle.
bool CreateRunWindows(SaverApp& app, bool modeTaken) {
  const unsigned main = MainRecordIndex(app);
  if (main == kMaxMonitors) return false;
  for (unsigned i = 0; i < app.monitorCount; ++i) {
    MonitorRecord& record = app.monitors[i];
    if (!record.monitor) continue;
    if (i == main) {
      record.window = CreateMainWindow(app.instance, MainWindowSide(modeTaken, settings.Width, SM_CXSCREEN),
                                       MainWindowSide(modeTaken, settings.Height, SM_CYSCREEN));
      saverRun.mainWindow = record.window;
    } else {
      record.window = CreateBlankWindow(app.instance, record.bounds);
    }
    if (!record.window) return false;
  }
  return true;
}

void ShowRunWindows(const SaverApp& app) {
  for (unsigned i = 0; i < app.monitorCount; ++i)
    if (app.monitors[i].monitor && app.monitors[i].window) ShowWindow(app.monitors[i].window, app.showCommand);
  SetFocus(saverRun.mainWindow);
}

// [SECTION] loading

// Starts the frame timers and seeds the random generator from the counter:
// the one seeding of the process, after everything that loading draws.
void StartTimers() {
  saverRun.frameTimer.Start();
  RandomSeed(uint32_t(saverRun.frameTimer.startCount));
}

// Whether the swap waits for the display: VSync is on and the driver took
// swap interval 1 (a driver without the extension draws flat out).
bool SwapWaitsForDisplay() {
  if (!settings.VSync) return false;
  using GetSwapIntervalFn = int(WINAPI*)();
  auto getInterval = reinterpret_cast<GetSwapIntervalFn>(
      reinterpret_cast<void*>(wglGetProcAddress("wglGetSwapIntervalEXT")));
  return getInterval && getInterval() > 0;
}

// Frames per second the loop may draw: no limit of its own when the swap
// waits for the display, else FrameLimit, by default the primary display's
// refresh rate as its current mode reports it. Needs the GL context.
uint32_t RunFrameLimit() {
  if (SwapWaitsForDisplay()) return 0;
  return FrameLimitFromSettings(settings.FrameLimit, ReadDesktopRefreshRate());
}

// restingPointer: where the pointer rested before the windows appeared, in
// screen pixels; null when unknown.
void LoadRun(const SaverApp& app, const POINT* restingPointer) {
  MeasureTimerFrequency();
  LoadLoaderScreen();
  saverRun.input.Reset();
  RecordRestingPointer(restingPointer);
  ShowRunWindows(app);
  InitGlState(saverRun.deviceContext, saverRun.run.camera.frame);
  LoadRunWorld(saverRun.run);
  if (settings.EnableMusic) musicPlayer.Start(saverRun.mainWindow, uint32_t(settings.Volume));
  StartTimers();
  saverRun.pacer = FramePacer(RunFrameLimit());
  BeginRunFlight(saverRun.run, uint32_t(settings.Speed), CounterSeconds());
  saverRun.swapContext = wglGetCurrentDC();
}

// [SECTION] loop

// The run's windows appeared under the resting pointer, and no message was
// taken while loading: the loop's first messages report the position the
// pointer rested at (no movement) or where the user moved it meanwhile (a
// move like any other). That movement, counted from the rest position, is
// consumed first; only then is the cursor centred, and movement counts from
// the centre. Centring it earlier may not move it at all (Wine skips the
// move when its own record of the position, stale since the pointer last
// left its windows, is the centre already) and leaves a report of the rest
// position behind, which would read as a move of hundreds of pixels.
void CentreRestingPointer() {
  saverRun.input.ConsumeMovement();
  saverRun.input.PointerCentred();
  CentreCursor();
}

// Whether an exit rule holds. The pointer movement is consumed (and the
// cursor re-centred) first, so that it counts towards the travel.
bool ExitRuleHolds() {
  if (saverRun.input.ConsumeMovement()) CentreCursor();
  return saverRun.input.ShouldEnd(settings.MouseExit);
}

// One frame: time step, camera, the frame-rate window (with a new window
// for the mouse travel, so that the travel sum never covers more than about
// a second), drawing, swap.
void RunFrame() {
  const double now = CounterSeconds();  // seconds
  saverRun.pacer.FrameBegun(now);
  double dt = saverRun.frameTimer.Elapsed();  // seconds
  saverRun.frameTimer.Start();
  AdvanceRun(saverRun.run, dt);
  if (RefreshFrameRate(saverRun.run, now)) saverRun.input.StartTravelWindow();
  RenderRunFrame(saverRun.run);
  SwapBuffers(saverRun.swapContext);
}

// Takes every message, then checks the exit rules, then waits for the
// frame limit's next slot (woken early by any message), then draws a frame;
// it never spins. The cursor goes to the centre once the first messages are
// taken. Ends at an exit rule or WM_QUIT; once an exit rule holds no further
// frame is drawn, so the screen comes back at once. Returns the wParam of
// the last message taken.
int RunFrameLoop() {
  FrameWait wait;
  MSG message = {};
  bool pointerCentred = false;
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      TranslateMessage(&message);
      DispatchMessageA(&message);
      continue;
    }
    if (!pointerCentred) {
      CentreRestingPointer();
      pointerCentred = true;
    }
    if (ExitRuleHolds()) break;
    double slot = saverRun.pacer.WaitBefore(CounterSeconds());  // seconds
    if (slot > 0.0) {
      wait.Wait(slot);
      continue;
    }
    RunFrame();
  }
  return int(message.wParam);
}

// [SECTION] shutdown

// The run's own objects, released in reverse; the windows stay (see
// CloseRunWindows). Safe after a run that stopped at any step: each release
// checks what exists.
void ShutdownRun() {
  RestoreSharedState();
  ReleaseRunWorld(saverRun.run);
  Win32SetProgressWindow(nullptr);
  ReleaseGlContext();
}

}  // namespace

void RestoreSharedState() {
  musicPlayer.Cleanup();  // stops the music, deletes the temporary audio library file
  RestoreDisplayMode();
  RestoreGammaRamp();  // after the mode, whose restore may reset the ramp
  RestoreCursor();
}

// Destroys the windows (so that their classes can be unregistered) and
// drops the quit message that the GL window's WM_DESTROY posts: the run is
// over already, and nothing after it should read that as a request.
void CloseRunWindows(SaverApp& app) {
  for (unsigned i = 0; i < app.monitorCount; ++i) {
    MonitorRecord& record = app.monitors[i];
    if (!record.window) continue;
    DestroyWindow(record.window);
    record.window = nullptr;
  }
  saverRun.mainWindow = nullptr;
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  UnregisterSaverClasses(app.instance);
}

int RunSaver(SaverApp& app) {
  saverRun = SaverRunState{};
  RegisterSaverClasses(app.instance);
  SaveGammaRamp();  // before the mode switch, which may reset the ramp
  const bool modeTaken = ChangeDisplayMode();
  HideCursor();
  // Where the pointer rests, read before any window appears under it (after
  // the mode switch, which may have moved it). Under Wine this reads the X
  // server's pointer, not Wine's own record of it, which may be stale.
  POINT restingPointer = {};
  const bool restingPointerRead = GetCursorPos(&restingPointer) != FALSE;
  if (!CreateRunWindows(app, modeTaken)) {
    ShutdownRun();
    CloseRunWindows(app);
    return 0;
  }
  saverRun.run.camera.frame = ClientFrameSize(saverRun.mainWindow);
  Win32SetProgressWindow(saverRun.mainWindow);
  LoadRun(app, restingPointerRead ? &restingPointer : nullptr);
  int result = RunFrameLoop();
  ShutdownRun();
  return result;
}
