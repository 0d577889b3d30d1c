// The fitted rectangle of a picture in an area.
#include "app/picture_fit.h"

#include <cstdint>

namespace {

// a * b / c rounded to the nearest integer, for positive ints (no overflow:
// the product is taken in 64 bits and the result is at most a or b).
int ScaleRounded(int a, int b, int c) { return int((int64_t(a) * b + c / 2) / c); }

}  // namespace

PictureRect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
  PictureRect r;
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return r;
  // The side that runs out first sets the scale.
  if (int64_t(areaWidth) * pictureHeight <= int64_t(areaHeight) * pictureWidth) {
    r.width = areaWidth;
    r.height = ScaleRounded(areaWidth, pictureHeight, pictureWidth);
  } else {
    r.height = areaHeight;
    r.width = ScaleRounded(areaHeight, pictureWidth, pictureHeight);
  }
  r.x = (areaWidth - r.width) / 2;
  r.y = (areaHeight - r.height) / 2;
  return r;
}
