// Bounds on what an image file may make the decoders allocate. JPEG and TGA
// headers state their own size; a damaged or hostile file is rejected here
// before any pixel buffer is requested.
#pragma once

#include <cstdint>

// Largest accepted image side, in pixels. The saver's own textures are at most
// 1024 pixels wide and OpenGL 1.1 drivers cap texture sides at 8192 or 16384,
// so a larger side can only come from a broken file. At this bound an RGBA
// image still fits in 1 GiB.
constexpr uint32_t kMaxImageSide = 16384;
