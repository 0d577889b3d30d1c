// Loading and drawing the loader screen.
#include "overlay/loader_screen.h"

#include "image/tga_texture.h"
#include "overlay/overlay_space.h"
#include "platform/opengl.h"

LoaderScreen loaderScreen;

namespace {

// Names of the corner pictures, handed to the TGA loader with their
// resource ids (it reads only the ids).
const char* const kCornerNames[kLoaderCorners] = {"4loader_rd.tga", "4loader_ld.tga", "4loader_lu.tga",
                                                  "4loader_ru.tga"};

// One corner picture, 256 x 128 screen pixels whatever the resolution, in
// its corner of the frame's overlay space. Drawn alpha-blended with the
// identity modelview matrix.
void DrawCorner(FrameSize frame, int corner) {
  glLoadIdentity();
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.corners[corner]);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const double overlayWidth = OverlayWidth(frame);                                // units
  const double w = double(kCornerPixelWidth) / frame.width * overlayWidth;       // overlay units
  const double h = double(kCornerPixelHeight) / frame.height * kOverlayHeight;  // overlay units
  const bool right = corner == 0 || corner == 3;
  const bool top = corner == 2 || corner == 3;
  const double x = right ? overlayWidth - w : 0.0;
  const double y = top ? kOverlayHeight - h : 0.0;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(x, y);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2d(x, y + h);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2d(x + w, y + h);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2d(x + w, y);
  glEnd();
}

}  // namespace

void LoadLoaderScreen() {
  loaderScreen.loadPicture.LoadFromResource("load.jpg", kLoadPictureResource);
  loaderScreen.signPicture.Load("sign.jpg");
  for (int i = 0; i < kLoaderCorners; ++i)
    loaderScreen.corners[i] = LoadTgaResourceTexture(kCornerNames[i], kFirstCornerResource + i);
}

void ResetLoaderScreen() { loaderScreen = LoaderScreen{}; }

void DrawLoaderScreen(FrameSize frame) {
  const float centreX = float(OverlayWidth(frame) / 2.0);  // 400 on a 4:3 frame
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.signPicture.glName);
  BeginOverlay(frame);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawCenteredQuad(centreX, 350.0f, 110.0f, 110.0f);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.loadPicture.glName);
  DrawCenteredQuad(centreX, 140.0f, 100.0f, 100.0f);
  // The corner sizes divide by the frame's size.
  if (frame.width > 0 && frame.height > 0)
    for (int i = 0; i < kLoaderCorners; ++i) DrawCorner(frame, i);
  EndOverlay();
}
