// Loading and drawing the loader screen.
#include "overlay/loader_screen.h"

#include "image/tga_texture.h"
#include "overlay/overlay_space.h"
#include "platform/opengl.h"
#include "settings/saver_settings.h"

LoaderScreen loaderScreen;

namespace {

// Names of the corner pictures, handed to the TGA loader with their
// resource ids (it reads only the ids).
const char* const kCornerNames[kLoaderCorners] = {"4loader_rd.tga", "4loader_ld.tga", "4loader_lu.tga",
                                                  "4loader_ru.tga"};

// One corner picture, 256 x 128 screen pixels whatever the resolution, in
// its corner of the overlay space. Drawn alpha-blended with the identity
// modelview matrix.
void DrawCorner(int corner) {
  glLoadIdentity();
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.corners[corner]);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const double w = double(kCornerPixelWidth) / settings.Width * kOverlayWidth;     // overlay units
  const double h = double(kCornerPixelHeight) / settings.Height * kOverlayHeight;  // overlay units
  const bool right = corner == 0 || corner == 3;
  const bool top = corner == 2 || corner == 3;
  const double x = right ? kOverlayWidth - w : 0.0;
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

void DrawLoaderScreen() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.signPicture.glName);
  BeginOverlay();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawCenteredQuad(400.0f, 350.0f, 110.0f, 110.0f);
  glBindTexture(GL_TEXTURE_2D, loaderScreen.loadPicture.glName);
  DrawCenteredQuad(400.0f, 140.0f, 100.0f, 100.0f);
  // The corner sizes divide by the window size, which start-up always sets.
  if (settings.Width > 0 && settings.Height > 0)
    for (int i = 0; i < kLoaderCorners; ++i) DrawCorner(i);
  EndOverlay();
}
