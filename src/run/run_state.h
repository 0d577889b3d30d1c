// RunState: what the loading steps and the frame of a saver run share on
// every platform: the camera, the world the last frame drew, the camera
// speed and the frame-rate count. Each front-end (the Win32 shell, the X11
// program) holds one and hands it to the functions of src/run/.
#pragma once

#include "camera/camera_controller.h"

struct SceneWorld;

struct RunState {
  CameraController camera;                     // the one camera of the run; its frame is the drawable
  const SceneWorld* framePassWorld = nullptr;  // whose lists the last frame drew; the next update walks them
  float speedFactor = 0.0f;                    // camera time per real second, Speed / 50 + 0.5
  int frameCount = 0;                          // frames finished in the current frame-rate window
  int framesPerSecond = 0;                     // frame count of the last full window; 0 until then
  double rateWindowStart = 0.0;                // seconds on the front-end's clock
  double lastLoadingFrame = -1.0;              // seconds on the front-end's clock; below 0 until the first
};
