// The glyph font drawn into an off-screen context: which cell each character
// shows, where a text lands in the overlay space at several resolutions and
// aspects (square glyphs on each), the translation a text leaves behind, and the characters that
// never reach the display lists.
#include <GL/gl.h>

#include <cmath>
#include <string>

#include "overlay/glyph_font.h"
#include "overlay/overlay_space.h"
#include "overlay_test_util.h"

namespace {

class GlyphTextPlacement : public OverlayRenderTest, public ::testing::WithParamInterface<Resolution> {};

// Pixel column or row of an overlay coordinate at a given scale.
int ToPixel(double units, double pixelsPerUnit) { return int(std::lround(units * pixelsPerUnit)); }

TEST_P(GlyphTextPlacement, LandsAtOverlayCoordinatesInSquareUnits) {
  const Resolution r = GetParam();
  SetUpContext(r.width, r.height);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  const char* text = "0123456789:;<";  // every glyph once
  BeginOverlay(frame);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  DrawGlyphText(100, 200, text);
  EndOverlay();

  const Picture picture(*gl);
  const double sx = r.height / 600.0, sy = sx;  // pixels per unit, the same across and up
  const PixelBox box = picture.LitBox();
  EXPECT_NEAR(box.x0, ToPixel(100, sx), 1);
  EXPECT_NEAR(box.x1, ToPixel(100 + 12 * 28 + 40, sx), 1);
  EXPECT_NEAR(box.y0, ToPixel(200, sy), 1);
  EXPECT_NEAR(box.y1, ToPixel(240, sy), 1);
  // Glyph k is fully visible between its left edge and the next glyph's.
  for (int k = 0; k < kGlyphCount; ++k)
    ExpectColourNear(picture.At(ToPixel(100 + 28 * k + 14, sx), ToPixel(220, sy)), CellColour(k),
                     std::string("glyph ") + text[k]);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, GlyphTextPlacement,
                         ::testing::Values(Resolution{800, 600}, Resolution{1600, 1200}, Resolution{1280, 1024},
                                           Resolution{1920, 1080}),
                         ResolutionName);

class GlyphFontTest : public OverlayRenderTest {};

TEST_F(GlyphFontTest, TextLeavesItsTranslationAndAdvanceInEffect) {
  SetUpContext(800, 600);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  BeginOverlay(frame);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  DrawGlyphText(10, 20, "12");
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_DOUBLE_EQ(m[12], 10 + 2 * 28);
  EXPECT_DOUBLE_EQ(m[13], 20);
  DrawGlyphText(0, 0, "3");  // drawn after the first text, not over it
  EndOverlay();
  ExpectColourNear(Picture(*gl).At(66 + 14, 40), CellColour(3), "second text");
}

TEST_F(GlyphFontTest, CharactersOutsideTheFontNeverReachForeignDisplayLists) {
  SetUpContext(800, 600);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  // The list right after the font is what '=' would name: a full-screen red quad.
  const GLuint foreign = glGenLists(1);
  ASSERT_EQ(foreign, glyphFont.listBase + kGlyphCount);
  glNewList(foreign, GL_COMPILE);
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 0, 0);
  glRecti(0, 0, 800, 600);
  glEndList();

  BeginOverlay(frame);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  DrawGlyphText(100, 100, "1=2 a\xB1/");
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EndOverlay();

  EXPECT_DOUBLE_EQ(m[12], 100 + 2 * 28) << "only the two digits advance";
  const Picture picture(*gl);
  EXPECT_EQ(picture.BoxOf(Rgb{255, 0, 0}).empty(), true);
  ExpectColourNear(picture.At(114, 120), CellColour(1), "first digit");
  ExpectColourNear(picture.At(142, 120), CellColour(2), "second digit");
}

TEST_F(GlyphFontTest, WithoutThePictureGlyphsAreSolidQuads) {
  SetUpContext(800, 600);
  BuildGlyphFont(manager);  // empty list: no "textures\c.jpg"
  EXPECT_EQ(glyphFont.texture, 0u);
  ASSERT_NE(glyphFont.listBase, 0u);
  BeginOverlay(frame);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  DrawGlyphText(300, 300, "8");
  EndOverlay();
  const Picture picture(*gl);
  EXPECT_EQ(picture.At(320, 320).r, 255);
  const PixelBox box = picture.LitBox();
  EXPECT_EQ(box.x0, 300);
  EXPECT_EQ(box.x1, 340);
  EXPECT_EQ(box.y0, 300);
  EXPECT_EQ(box.y1, 340);
}

TEST_F(GlyphFontTest, BeforeTheFontIsBuiltNothingIsDrawn) {
  SetUpContext(800, 600);
  BeginOverlay(frame);
  DrawGlyphText(5, 6, "12");
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EndOverlay();
  EXPECT_TRUE(Picture(*gl).LitBox().empty());
  EXPECT_DOUBLE_EQ(m[12], 5);
  EXPECT_DOUBLE_EQ(m[13], 6);
}

}  // namespace
