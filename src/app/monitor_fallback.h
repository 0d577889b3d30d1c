// The single-monitor answer of "which monitor holds this rectangle" when
// the system's multi-monitor functions are not available: the primary
// monitor, under a fixed pseudo-handle, for a rectangle that touches the
// primary screen or when the caller asks for a default monitor. Portable.
#pragma once

#include <cstdint>

// The handle the fallback gives the primary monitor.
constexpr uintptr_t kPrimaryMonitorPseudoHandle = 0x42;

// MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST.
constexpr uint32_t kMonitorDefaultFlags = 3;

struct ScreenRect {
  int32_t left, top, right, bottom;  // virtual-desktop pixels; right and bottom exclusive
};

// kPrimaryMonitorPseudoHandle when flags ask for a default monitor or the
// rectangle overlaps the primary screen (screenWidth x screenHeight at the
// origin); 0 otherwise.
uintptr_t FallbackMonitorFromRect(const ScreenRect& rect, uint32_t flags, int32_t screenWidth,
                                  int32_t screenHeight);
