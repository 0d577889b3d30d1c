// The clock and the frame-rate counter drawn into an off-screen context:
// where they land, which glyphs they show, their additive blending, and the
// shipped glyph sheet read through the real JPEG path.
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "overlay/clock_display.h"
#include "overlay/frame_rate_display.h"
#include "overlay/glyph_font.h"
#include "overlay/overlay_space.h"
#include "overlay_test_util.h"
#include "platform/native_platform.h"
#include "settings/saver_settings.h"

namespace {

// Checks that text was drawn from overlay point (x, y) (square units, 600 to
// the height): glyph k's visible part, between its left edge and the next
// glyph's, shows its cell colour.
void ExpectGlyphsAt(const Picture& picture, double x, double y, const char* text, int background) {
  const double sx = picture.height / 600.0, sy = sx;
  for (int k = 0; text[k]; ++k) {
    const Rgb cell = CellColour(text[k] - kFirstGlyph);
    const Rgb sum{std::min(255, cell.r + background), std::min(255, cell.g + background),
                  std::min(255, cell.b + background)};
    ExpectColourNear(picture.At(int((x + 28 * k + 14) * sx), int((y + 20) * sy)), sum,
                     std::string("glyph ") + std::to_string(k) + " of " + text);
  }
}

class ClockPlacement : public OverlayRenderTest, public ::testing::WithParamInterface<Resolution> {};

// On 4:3 the mark ends at 789 of 800 units; wider frames keep the clock
// 11 units from the right edge, in square units.
TEST_P(ClockPlacement, TwelveHourClockEndsWithItsMarkElevenUnitsFromTheRightEdge) {
  const Resolution r = GetParam();
  SetUpContext(r.width, r.height);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  settings.TimeFormat = true;
  native_platform::SetLocalTime(LocalClockTime{13, 7, 2});
  DrawClock(frame);
  const Picture picture(*gl);
  const double s = r.height / 600.0;  // pixels per unit, across and up
  const double left = r.width / s - 800 + 525;  // overlay units
  ExpectGlyphsAt(picture, left, 2, "01:07:02<", 0);
  const PixelBox box = picture.LitBox();
  EXPECT_NEAR(box.x0, r.width - 275 * s, 1);
  EXPECT_NEAR(box.x1, r.width - 11 * s, 1);  // 525 + 8 * 28 + 40 = 789
  EXPECT_NEAR(box.y0, 2 * s, 1);
  EXPECT_NEAR(box.y1, 42 * s, 1);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ClockPlacement,
                         ::testing::Values(Resolution{800, 600}, Resolution{1600, 1200}, Resolution{1920, 1080},
                                           Resolution{2560, 1080}),
                         ResolutionName);

class ClockAndCounterTest : public OverlayRenderTest {};

TEST_F(ClockAndCounterTest, TwentyFourHourClockHasNoMark) {
  SetUpContext(800, 600);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  native_platform::SetLocalTime(LocalClockTime{7, 5, 9});
  DrawClock(frame);
  const Picture picture(*gl);
  ExpectGlyphsAt(picture, 525, 2, "07:05:09", 0);
  EXPECT_EQ(picture.LitBox().x1, 761);  // 525 + 7 * 28 + 40
}

TEST_F(ClockAndCounterTest, FrameRateAddsItsGlyphsToTheTopLeftCorner) {
  SetUpContext(800, 600);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);  // 51 per channel
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  BeginOverlay(frame);
  DrawFrameRate(1234);
  EndOverlay();
  const Picture picture(*gl);
  ExpectGlyphsAt(picture, 4, 558, "1234", 51);  // blended additively over the grey
  ExpectColourNear(picture.At(400, 300), Rgb{51, 51, 51}, "background");
  ExpectColourNear(picture.At(2, 578), Rgb{51, 51, 51}, "left of the digits");
  ExpectColourNear(picture.At(130, 578), Rgb{51, 51, 51}, "right of the digits");  // 4 + 3 * 28 + 40 = 128
  ExpectColourNear(picture.At(20, 556), Rgb{51, 51, 51}, "below the digits");
  ExpectColourNear(picture.At(20, 599), Rgb{51, 51, 51}, "above the digits");
}

// The glyph sheet of the data tree, decoded like every list texture. Each of
// the 13 glyphs must show something, and keep clear of its left and right
// 6 units, which neighbouring glyphs (28 units apart) overlap.
TEST_F(ClockAndCounterTest, ShippedGlyphSheetDrawsEveryGlyphInsideItsCell) {
  SetUpContext(800, 600);
  const std::string sheet = std::string(TERRAVA_SOURCE_DIR) + "/resources/data/textures/c.jpg";
  constexpr int kSheetResource = 900;  // any id: the sheet is read as a raw resource here
  ASSERT_TRUE(native_platform::AddResourceFile(kDataResourceType, kSheetResource, sheet.c_str()));
  Texture* picture = new Texture;
  ASSERT_TRUE(picture->LoadFromResource("c.jpg", kSheetResource));
  manager.Append(picture);
  BuildGlyphFont(manager);
  ASSERT_EQ(glyphFont.texture, picture->glName);

  BeginOverlay(frame);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glyphFont.texture);
  for (int i = 0; i < kGlyphCount; ++i) {
    const char text[2] = {char(kFirstGlyph + i), '\0'};
    glLoadIdentity();
    DrawGlyphText(10 + 60 * i, 300, text);
  }
  EndOverlay();
  gl->SavePpm(TERRAVA_BINARY_DIR "/overlay_glyph_sheet.ppm");

  const Picture drawn(*gl);
  for (int i = 0; i < kGlyphCount; ++i) {
    const int left = 10 + 60 * i;
    int lit = 0, litAtSides = 0;
    for (int y = 300; y < 340; ++y)
      for (int x = left; x < left + 40; ++x) {
        const bool side = x < left + 6 || x >= left + 34;
        lit += drawn.Lit(x, y);
        litAtSides += side && drawn.Lit(x, y);
      }
    EXPECT_GT(lit, 40) << "glyph " << i << " shows nothing";
    EXPECT_EQ(litAtSides, 0) << "glyph " << i << " reaches into its neighbours";
  }
}

}  // namespace
