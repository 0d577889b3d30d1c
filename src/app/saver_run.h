// The full-screen saver run: windows and display mode, GL set-up, loading,
// the frame loop and the shutdown that puts everything back. Win32 only.
//
// Restore guarantees: whichever way the run ends (any exit rule, WM_QUIT,
// a window that could not be made after the display mode changed), the
// display mode, the gamma ramp in effect before the run and the cursor are
// restored before RunSaver returns.
#pragma once

#include <windows.h>

#include "app/frame_timer.h"
#include "app/saver_app.h"
#include "app/saver_input.h"
#include "camera/camera_controller.h"

struct SceneWorld;

// State of the one saver run, shared by the frame loop, RenderFrame and the
// saver window procedure (all on the one thread).
struct SaverRunState {
  HWND mainWindow = nullptr;        // the GL window, class "MyWindow"
  HDC deviceContext = nullptr;      // GetDC(mainWindow), kept for the run (gamma ramp)
  HGLRC renderingContext = nullptr; // made current at WM_CREATE; null when none
  HDC swapContext = nullptr;        // the current GL device context after loading
  SaverInput input;                 // keys, pointer movement, travel
  FrameTimer frameTimer;            // time between frames
  FrameTimer fpsTimer;              // the one-second frame-rate and travel window
  int frameCount = 0;               // frames finished in the current window
  int framesPerSecond = 0;          // frame count of the last full window; 0 until then
  float speedFactor = 0.0f;         // camera time per real second, Speed / 50 + 0.5
  CameraController camera;          // the one camera of the run
  const SceneWorld* framePassWorld = nullptr;  // whose lists the last frame drew; the next Update walks them
};

extern SaverRunState saverRun;

// Loader-screen progress: +3 per step while below 100, then +1. Counts
// across the whole process; never reset.
extern unsigned loadProgress;

// The whole run. Returns 0 when no window could be made, otherwise the
// wParam of the last message taken from the queue.
int RunSaver(SaverApp& app);
