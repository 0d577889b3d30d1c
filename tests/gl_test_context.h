// GlTestContext: a current OpenGL context drawing into an off-screen RGBA
// buffer through Mesa's OSMesa, shared by the native tests that render and
// read the drawn pixels back (overlay, scene). One context per test; it is
// released on destruction. Compile tests/gl_test_context.cpp into the test.
#pragma once

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

class GlTestContext {
 public:
  GlTestContext(int width, int height);
  ~GlTestContext();
  GlTestContext(const GlTestContext&) = delete;
  GlTestContext& operator=(const GlTestContext&) = delete;

  // False when OSMesa could not create or bind the context.
  bool Ready() const { return ready_; }

  // Sets a pixel-exact 2-D projection: one unit per pixel, origin at the
  // bottom-left corner of the buffer.
  void UsePixelProjection() const;

  // RGBA bytes of the drawn picture, bottom row first.
  std::vector<uint8_t> ReadPixels() const;

  // Writes the drawn picture as a binary PPM (top row first), for looking
  // at a failing render. False when the file cannot be written.
  bool SavePpm(const char* path) const;

  const int width;   // pixels
  const int height;  // pixels

 private:
  OSMesaContext context_ = nullptr;
  std::vector<uint8_t> buffer_;  // width * height RGBA pixels
  bool ready_ = false;
};
