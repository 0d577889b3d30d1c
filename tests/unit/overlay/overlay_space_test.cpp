// The overlay brackets and the centred quad: what a bracket changes while it
// is open, and that it leaves the matrix stacks, matrices and enables as it
// found them.
#include <GL/gl.h>

#include <array>

#include "overlay/clock_display.h"
#include "overlay/glyph_font.h"
#include "overlay/loader_screen.h"
#include "overlay/overlay_space.h"
#include "overlay_test_util.h"

namespace {

struct MatrixState {
  GLint projectionDepth, modelviewDepth, mode;
  std::array<GLdouble, 16> projection, modelview;
};

MatrixState ReadMatrices() {
  MatrixState s;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_MATRIX_MODE, &s.mode);
  glGetDoublev(GL_PROJECTION_MATRIX, s.projection.data());
  glGetDoublev(GL_MODELVIEW_MATRIX, s.modelview.data());
  return s;
}

void ExpectSameMatrices(const MatrixState& before, const MatrixState& after, const char* what) {
  EXPECT_EQ(after.projectionDepth, before.projectionDepth) << what;
  EXPECT_EQ(after.modelviewDepth, before.modelviewDepth) << what;
  EXPECT_EQ(after.mode, GL_MODELVIEW) << what;
  EXPECT_EQ(after.projection, before.projection) << what;
  EXPECT_EQ(after.modelview, before.modelview) << what;
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << what;
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << what;
}

// A 3-D pass state as the saver run leaves it: a perspective projection, a
// view on the modelview matrix, and one extra level pushed on each stack so
// that the brackets are seen to work relative to what they find.
void SetSceneState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-53.3, 53.3, -40, 40, 80, 5000000);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glPushMatrix();
  glTranslated(1, 2, -3);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}

class OverlaySpaceTest : public OverlayRenderTest {};

TEST_F(OverlaySpaceTest, BracketsPushOneMatrixEachAndRestoreWhatTheyFound) {
  SetUpContext(1600, 1200);
  SetSceneState();
  const MatrixState before = ReadMatrices();
  const struct {
    const char* name;
    void (*begin)(FrameSize);
    void (*end)();
    double right, top;  // units of the space
  } brackets[] = {{"overlay", BeginOverlay, EndOverlay, 800, 600},
                  {"pixel overlay", BeginPixelOverlay, EndPixelOverlay, 1600, 1200}};
  for (const auto& b : brackets) {
    b.begin(frame);
    const MatrixState inside = ReadMatrices();
    EXPECT_EQ(inside.projectionDepth, before.projectionDepth + 1) << b.name;
    EXPECT_EQ(inside.modelviewDepth, before.modelviewDepth + 1) << b.name;
    EXPECT_EQ(inside.mode, GL_MODELVIEW) << b.name;
    EXPECT_FLOAT_EQ(float(inside.projection[0]), float(2.0 / b.right)) << b.name;
    EXPECT_FLOAT_EQ(float(inside.projection[5]), float(2.0 / b.top)) << b.name;
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST)) << b.name;
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << b.name;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1600) << b.name;
    EXPECT_EQ(viewport[3], 1200) << b.name;
    b.end();
    ExpectSameMatrices(before, ReadMatrices(), b.name);
  }
}

TEST_F(OverlaySpaceTest, ClockAndLoaderScreenCloseTheBracketsTheyOpen) {
  SetUpContext(800, 600);
  AddColouredGlyphPicture(manager);
  BuildGlyphFont(manager);
  LoadLoaderScreen();  // no resources: every picture stays 0
  SetSceneState();
  const MatrixState before = ReadMatrices();
  DrawClock(frame);
  ExpectSameMatrices(before, ReadMatrices(), "DrawClock");
  DrawLoaderScreen(frame);
  ExpectSameMatrices(before, ReadMatrices(), "DrawLoaderScreen");
}

TEST_F(OverlaySpaceTest, PixelOverlayHasOneUnitPerPixel) {
  SetUpContext(1600, 1200);
  BeginPixelOverlay(frame);
  DrawCenteredQuad(100, 50, 10, 5);
  EndPixelOverlay();
  const PixelBox box = Picture(*gl).LitBox();
  EXPECT_EQ(box.x0, 90);
  EXPECT_EQ(box.x1, 110);
  EXPECT_EQ(box.y0, 45);
  EXPECT_EQ(box.y1, 55);
}

}  // namespace
