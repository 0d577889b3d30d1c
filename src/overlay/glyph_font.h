// GlyphFont: the 13 textured glyphs of the clock and the frame-rate counter,
// cut from the texture-list picture "textures\c.jpg". The picture is a 4 x 4
// grid of equal cells read row by row from the top: cells 0..9 hold the
// digits, cell 10 the separator, 11 the morning mark and 12 the afternoon
// mark (13..15 unused). Glyph i is named by the character 48 + i, so texts
// use '0'..'9', ':' for the separator, ';' for am and '<' for pm.
#pragma once

#include <cstdint>

class TextureManager;

// Path of the glyph picture in the texture list.
constexpr const char* kGlyphPicturePath = "textures\\c.jpg";
constexpr int kGlyphCount = 13;         // digits, separator, am, pm
constexpr char kFirstGlyph = '0';       // glyph 0
constexpr char kLastGlyph = '<';        // glyph 12 (pm)
constexpr char kSeparatorGlyph = ':';   // glyph 10
constexpr char kMorningGlyph = ';';     // glyph 11 (am)
constexpr char kAfternoonGlyph = '<';   // glyph 12 (pm)
constexpr int kGlyphSize = 40;          // units of the current space, square
constexpr float kGlyphAdvance = kGlyphSize * 0.7f;  // 28 units to the next glyph

struct GlyphFont {
  uint32_t texture = 0;   // GL name of the glyph picture; 0 draws solid quads
  uint32_t listBase = 0;  // first of 13 consecutive display lists; 0 before building
};

// The process-wide font of the saver run.
extern GlyphFont glyphFont;

// Takes the glyph picture from the texture list (texture 0 when it is not
// listed), leaves it bound as GL_TEXTURE_2D, and compiles the 13 glyph lists,
// each drawing one 40 x 40 quad at the current origin and then moving 28
// units to the right. Once per saver run, after the texture list is loaded;
// the GL context must be current.
void BuildGlyphFont(const TextureManager& manager);

// Forgets the font (for tests that build it in several GL contexts). The
// display lists are not deleted: they go with the GL context.
void ResetGlyphFont();

// Draws text with the font from (x, y) of the current space. The translation
// to (x, y) and the advance of every glyph stay in effect on the current
// matrix afterwards (nothing is pushed). The caller binds glyphFont.texture
// and sets colour and blending. Characters outside '0'..'<' are skipped
// without advancing; before the font is built nothing is drawn.
void DrawGlyphText(int x, int y, const char* text);
