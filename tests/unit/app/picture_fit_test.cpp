// The preview picture's place in areas of every shape, and areas or
// pictures without pixels.
#include <gtest/gtest.h>

#include "app/picture_fit.h"

namespace {

TEST(FitPicture, FillsOneSideKeepsTheProportionsAndCentres) {
  struct Case {
    int pictureWidth, pictureHeight, areaWidth, areaHeight;
    PictureRect expected;
  };
  // picture, area, place
  const Case cases[] = {
      {155, 115, 152, 112, {0, 0, 151, 112}},      // the settings page's pane: one spare column
      {155, 115, 310, 230, {0, 0, 310, 230}},      // twice as large
      {155, 115, 400, 115, {122, 0, 155, 115}},    // wide: bars at the sides
      {155, 115, 155, 400, {0, 142, 155, 115}},    // tall: bars above and below
      {4, 3, 1, 1000000, {0, 499999, 1, 1}},       // a sliver keeps at least the rounding
      {155, 115, 0, 112, {}},                      // no area
      {0, 115, 152, 112, {}},                      // no picture
      {155, 115, -5, 112, {}},
      {2147483647, 1, 2147483647, 2147483647, {0, 1073741823, 2147483647, 1}},  // no overflow
  };
  for (const Case& c : cases) {
    const PictureRect r = FitPicture(c.pictureWidth, c.pictureHeight, c.areaWidth, c.areaHeight);
    SCOPED_TRACE(::testing::Message() << c.pictureWidth << "x" << c.pictureHeight << " in " << c.areaWidth << "x"
                                      << c.areaHeight);
    EXPECT_EQ(c.expected.x, r.x);
    EXPECT_EQ(c.expected.y, r.y);
    EXPECT_EQ(c.expected.width, r.width);
    EXPECT_EQ(c.expected.height, r.height);
  }
}

}  // namespace
