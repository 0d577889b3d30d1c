// The frame-rate text and its drawing.
#include "overlay/frame_rate_display.h"

#include <cstdio>

#include "overlay/glyph_font.h"
#include "platform/opengl.h"

void BuildFrameRateText(int rate, char (&text)[kFrameRateTextBytes]) {
  std::snprintf(text, sizeof text, "%d", rate < 0 ? 0 : rate);
}

void DrawFrameRate(int rate) {
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  char text[kFrameRateTextBytes];
  BuildFrameRateText(rate, text);
  DrawGlyphText(kFrameRateX, kFrameRateY, text);
}
