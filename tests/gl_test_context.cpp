// Off-screen OpenGL context over OSMesa (24-bit depth, 8-bit stencil).
#include "gl_test_context.h"

#include <cstdio>

#include "platform/opengl.h"

GlTestContext::GlTestContext(int w, int h) : width(w), height(h), buffer_(size_t(w) * h * 4) {
  context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
  ready_ = context_ && OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, w, h);
}

GlTestContext::~GlTestContext() {
  if (context_) OSMesaDestroyContext(context_);
}

void GlTestContext::UsePixelProjection() const {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

std::vector<uint8_t> GlTestContext::ReadPixels() const {
  std::vector<uint8_t> pixels(size_t(width) * height * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

bool GlTestContext::SavePpm(const char* path) const {
  const std::vector<uint8_t> pixels = ReadPixels();
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) std::fwrite(&pixels[(size_t(y) * width + x) * 4], 1, 3, f);
  return std::fclose(f) == 0;
}

// Mesa 22's OSMesa keeps a few hundred bytes of framebuffer state per
// context after OSMesaDestroyContext; LeakSanitizer should report our leaks,
// not those. Every render-test binary links this file, so it is defined once.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\nleak:libLLVM\nleak:libgallium\n"; }
