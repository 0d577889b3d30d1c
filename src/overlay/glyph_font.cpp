// Building the glyph display lists and drawing texts with them.
#include "overlay/glyph_font.h"

#include "image/texture_manager.h"
#include "platform/opengl.h"

GlyphFont glyphFont;

namespace {

constexpr int kGridCells = 4;                         // cells per row and per column
constexpr float kCellSide = 1.0f / kGridCells;        // texture units

bool IsGlyph(char c) { return c >= kFirstGlyph && c <= kLastGlyph; }

// One glyph: the quad showing cell (column, row), counted from the top left
// of the picture, then the advance. Texture t = 1 is the top of the picture.
void CompileGlyph(uint32_t list, int cell) {
  const float s0 = float(cell % kGridCells) * kCellSide;
  const float t0 = float(cell / kGridCells) * kCellSide;
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glTexCoord2f(s0, 1.0f - t0 - kCellSide);
  glVertex2i(0, 0);
  glTexCoord2f(s0 + kCellSide, 1.0f - t0 - kCellSide);
  glVertex2i(kGlyphSize, 0);
  glTexCoord2f(s0 + kCellSide, 1.0f - t0);
  glVertex2i(kGlyphSize, kGlyphSize);
  glTexCoord2f(s0, 1.0f - t0);
  glVertex2i(0, kGlyphSize);
  glEnd();
  glTranslated(kGlyphAdvance, 0.0, 0.0);
  glEndList();
}

}  // namespace

void BuildGlyphFont(const TextureManager& manager) {
  const Texture* picture = FindTexture(manager, kGlyphPicturePath);
  glyphFont.texture = picture ? picture->glName : 0;
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  glyphFont.listBase = glGenLists(kGlyphCount);
  if (glyphFont.listBase == 0) return;  // no lists to fill (GL out of memory)
  for (int i = 0; i < kGlyphCount; ++i) CompileGlyph(glyphFont.listBase + i, i);
}

void ResetGlyphFont() { glyphFont = GlyphFont{}; }

void DrawGlyphText(int x, int y, const char* text) {
  glTranslated(x, y, 0.0);
  if (glyphFont.listBase == 0 || text == nullptr) return;
  glListBase(glyphFont.listBase - uint32_t(kFirstGlyph));
  // Only runs of glyph characters reach glCallLists: any other byte would
  // name a display list that does not belong to the font.
  const char* run = text;
  for (const char* p = text;; ++p) {
    if (IsGlyph(*p)) continue;
    if (p > run) glCallLists(GLsizei(p - run), GL_UNSIGNED_BYTE, run);
    if (*p == '\0') break;
    run = p + 1;
  }
}
