// LoaderScreen: what the saver shows while it loads its data. A sign picture
// and the "loading" picture in the middle of the overlay space (square, on
// any frame), and four corner pictures that keep their size in screen pixels (256 x 128)
// whatever the resolution; the shipped data puts a logo in the bottom right
// corner and fully transparent pixels in the other three.
#pragma once

#include <cstdint>

#include "image/texture.h"
#include "platform/frame_size.h"

// Resource ids ("CustomData") of the loader pictures.
constexpr int kLoadPictureResource = 117;   // JPEG
constexpr int kFirstCornerResource = 120;   // TGA, corners 0..3 are 120..123
constexpr int kLoaderCorners = 4;
// Size of every corner picture on screen, pixels.
constexpr int kCornerPixelWidth = 256;
constexpr int kCornerPixelHeight = 128;

struct LoaderScreen {
  Texture loadPicture;   // "load.jpg" from resource 117
  Texture signPicture;   // archive member "textures\sign.jpg"
  // GL names of the corner pictures: 0 bottom right, 1 bottom left, 2 top
  // left, 3 top right; 0 where a picture did not load.
  uint32_t corners[kLoaderCorners] = {};
};

// The process-wide loader screen of the saver run.
extern LoaderScreen loaderScreen;

// Loads, in this order, the load picture, the sign picture and corners 0..3.
// A picture that fails keeps GL name 0 and draws as a white quad. Once per
// saver run, after the windows are created and before they are shown; the
// GL context must be current.
void LoadLoaderScreen();

// Forgets the pictures (for tests that load them in several GL contexts).
// Their GL textures are not deleted: they go with the GL context.
void ResetLoaderScreen();

// Draws the loader screen over what the frame's buffers hold;
// DrawLoadingFrame calls it for every loading step, after clearing and before
// the swap. Leaves blending on with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA).
void DrawLoaderScreen(FrameSize frame);
