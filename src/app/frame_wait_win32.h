// FrameWait: the frame loop's wait for its next frame slot, which ends
// early as soon as a message arrives, so input is never held back. It waits
// on a high-resolution waitable timer where the system has one (Windows 10
// 1803 and later, Wine), else on an ordinary one, and without a timer on the
// message wait's own millisecond timeout. Win32 only.
#pragma once

#include <windows.h>

class FrameWait {
 public:
  FrameWait();
  ~FrameWait();
  FrameWait(const FrameWait&) = delete;
  FrameWait& operator=(const FrameWait&) = delete;

  // Returns after `seconds`, or sooner when a message is in the queue.
  void Wait(double seconds);

 private:
  HANDLE timer_ = nullptr;  // null when no timer could be made
};
