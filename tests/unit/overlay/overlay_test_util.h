// Helpers of the overlay render tests: a set-up that puts every process-wide
// instance the overlay reads back to its start state, a glyph picture whose
// cells each have their own flat colour (so a read-back pixel tells which
// glyph was drawn), a TGA writer for resource pictures, and pixel queries.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "gl_test_context.h"
#include "image/texture_manager.h"
#include "platform/frame_size.h"

// A window size for parameterised tests, printed as "800x600".
struct Resolution {
  int width, height;  // pixels
};
inline void PrintTo(const Resolution& r, std::ostream* os) { *os << r.width << "x" << r.height; }
std::string ResolutionName(const ::testing::TestParamInfo<Resolution>& info);

struct Rgb {
  int r, g, b;
};

// The flat colour of glyph cell i (0..12) of the coloured test picture.
Rgb CellColour(int cell);

// Uploads the coloured 4 x 4 cell picture as a texture without mipmaps and
// appends it to manager under the glyph picture's path. Returns its GL name.
uint32_t AddColouredGlyphPicture(TextureManager& manager);

// A type 2, 32-bit, bottom-left-origin TGA of one colour (bytes in the file
// order blue, green, red, alpha).
std::vector<uint8_t> SolidTga(int width, int height, uint8_t b, uint8_t g, uint8_t r, uint8_t a);

// Half-open pixel rectangle [x0, x1) x [y0, y1), bottom row 0.
struct PixelBox {
  int x0, y0, x1, y1;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
};

// Read-back pixels of a GlTestContext with queries in window pixels.
class Picture {
 public:
  explicit Picture(const GlTestContext& gl);
  Rgb At(int x, int y) const;
  bool Lit(int x, int y) const;  // any channel above 24
  // Bounding box of the lit pixels.
  PixelBox LitBox() const;
  // Bounding box of the pixels within 8 of colour in every channel.
  PixelBox BoxOf(Rgb colour) const;
  const int width, height;

 private:
  PixelBox BoxWhere(const std::function<bool(int, int)>& inside) const;
  std::vector<uint8_t> pixels_;
};

void ExpectColourNear(Rgb actual, Rgb expected, const std::string& where);

// Resets settings, platform controls, the glyph font, the loader screen and
// makes a GL context of the frame's size; owns it.
class OverlayRenderTest : public ::testing::Test {
 protected:
  void SetUpContext(int width, int height);
  void TearDown() override;
  std::unique_ptr<GlTestContext> gl;
  FrameSize frame;  // the context's size
  TextureManager manager;
};
