// The clock text and its drawing.
#include "overlay/clock_display.h"

#include <cstdio>

#include "overlay/glyph_font.h"
#include "overlay/overlay_space.h"
#include "platform/opengl.h"
#include "settings/saver_settings.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

void BuildClockText(LocalClockTime time, bool twelveHour, char (&text)[kClockTextBytes]) {
  int hour = Clamp(time.hour, 0, 23);
  const int minute = Clamp(time.minute, 0, 59);
  const int second = Clamp(time.second, 0, 59);
  bool afternoon = hour == 12;
  if (twelveHour) {
    if (hour == 0) {
      hour = 12;
    } else if (hour > 12) {
      hour -= 12;
      afternoon = true;
    }
  }
  const int n = std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", hour, kSeparatorGlyph, minute,
                              kSeparatorGlyph, second);
  if (twelveHour && n > 0 && n + 1 < kClockTextBytes) {
    text[n] = afternoon ? kAfternoonGlyph : kMorningGlyph;
    text[n + 1] = '\0';
  }
}

void DrawClock(FrameSize frame) {
  BeginOverlay(frame);
  glLoadIdentity();
  glTranslated(OverlayWidth(frame) - kOverlayWidth, 0.0, 0.0);  // 0 on 4:3: anchored at the right edge
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  char text[kClockTextBytes];
  BuildClockText(PlatformLocalTime(), settings.TimeFormat, text);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawGlyphText(kClockX, kClockY, text);
  EndOverlay();
}
