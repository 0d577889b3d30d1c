// The single-monitor fallback of "monitor from rectangle".
#include "app/monitor_fallback.h"

uintptr_t FallbackMonitorFromRect(const ScreenRect& rect, uint32_t flags, int32_t screenWidth,
                                  int32_t screenHeight) {
  if (flags & kMonitorDefaultFlags) return kPrimaryMonitorPseudoHandle;
  bool overlaps = rect.right > 0 && rect.bottom > 0 && rect.left < screenWidth && rect.top < screenHeight;
  return overlaps ? kPrimaryMonitorPseudoHandle : 0;
}
