// The full-screen saver run: windows and display mode, GL set-up, loading,
// the frame loop and the shutdown that puts everything back. Win32 only.
//
// Restore guarantees: whichever way the run ends (any exit rule, WM_QUIT,
// a window that could not be made after the display mode changed, the end
// of the user's session), the music stops and the display mode, the gamma
// ramp in effect before the run and the cursor are restored before RunSaver
// returns (or the session ends).
//
// The run's windows outlive RunSaver until CloseRunWindows or the end of
// the process, which removes them at once. Hiding or destroying a
// full-screen window waits for the window manager's answer, and Wine on an
// X server without a window manager waits 2 s per window for it; the saver
// ends its process instead, so the screen is back within a fraction of a
// second of the exit input.
#pragma once

#include <windows.h>

#include "app/frame_timer_win32.h"
#include "app/saver_app_win32.h"
#include "app/saver_input.h"
#include "run/frame_pacer.h"
#include "run/run_state.h"

// State of the one saver run, shared by the frame loop and the saver window
// procedure (all on the one thread).
struct SaverRunState {
  HWND mainWindow = nullptr;        // the GL window, class "MyWindow"
  HDC deviceContext = nullptr;      // GetDC(mainWindow), kept for the run (gamma ramp)
  HGLRC renderingContext = nullptr; // made current at WM_CREATE; null when none
  HDC swapContext = nullptr;        // the current GL device context after loading
  SaverInput input;                 // keys, pointer movement, travel
  FrameTimer frameTimer;            // time between frames
  FramePacer pacer;                 // the frame-rate limit without VSync
  RunState run;                     // camera, world and frame rate, shared with every front-end
};

extern SaverRunState saverRun;

// Loader-screen progress: +3 per step while below 100, then +1. Counts
// across the whole process; never reset.
extern unsigned loadProgress;

// The whole run. Returns 0 when no window could be made, otherwise the
// wParam of the last message taken from the queue.
int RunSaver(SaverApp& app);
// Stops the music (and deletes its temporary file), and puts back the
// display mode, the gamma ramp and the cursor. Each step does nothing when
// done already, so the end of the session and the end of the run may both
// call it.
void RestoreSharedState();
// Destroys the run's windows and unregisters their classes.
void CloseRunWindows(SaverApp& app);
