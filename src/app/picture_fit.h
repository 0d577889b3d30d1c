// Where a picture goes in an area so that it fills as much of it as it can
// with its own proportions: scaled up or down and centred, the rest of the
// area left to bars above and below or at the sides. Portable.
#pragma once

struct PictureRect {
  int x = 0, y = 0;           // top-left corner in the area, pixels
  int width = 0, height = 0;  // pixels
};

// The picture's place in the area; empty (all zero) when either has no
// pixels. Sides round to the nearest pixel; odd bars leave the extra pixel
// at the right or bottom.
PictureRect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);
