// The frame loop's wait: a waitable timer or a message, whichever first.
#include "app/frame_wait_win32.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, missing from older SDK headers.
constexpr DWORD kHighResolutionTimer = 0x00000002;

}  // namespace

FrameWait::FrameWait() {
  timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
  if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

FrameWait::~FrameWait() {
  if (timer_) CloseHandle(timer_);
}

void FrameWait::Wait(double seconds) {
  LARGE_INTEGER due;
  due.QuadPart = -std::max<int64_t>(1, int64_t(seconds * 1e7));  // relative, 100 ns units
  if (timer_ && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
    MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return;
  }
  DWORD milliseconds = DWORD(std::ceil(seconds * 1000.0));
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
