#pragma once
// Where a small preview draws a picture: scaled down to fit its box with the picture's
// proportions, never enlarged, centred.

#include "raster/geometry.h"

namespace gd {

// The rectangle, inside a box of box_width x box_height at (0, 0), in which a picture of
// width x height is drawn. Empty for an empty picture or box.
Rect FitPictureInBox(int width, int height, int box_width, int box_height);

}  // namespace gd
