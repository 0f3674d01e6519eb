#pragma once
// Where a picture of w0 x h0 goes on a W x H stage.
//
// Size: without automatic adjustment a picture smaller than the stage in both directions
// keeps its size and anything else is fitted. With adjustment, a picture smaller in both
// directions keeps its size when it is below 0.7 of the stage in either direction and is
// fitted (enlarged) otherwise; a picture at least as large in one direction is stretched
// to the whole stage when its aspect ratio lies strictly between 0.7 and 1.3 times the
// stage's, and fitted otherwise. Fitting scales by the larger of w0 / W and h0 / H.
// Position: centred, or with `move` at a random place (x drawn first, then y; an axis
// that the fitted picture fills is not drawn). A stretched picture always covers (0, 0,
// W, H) and draws nothing.

#include "raster/geometry.h"

namespace gd {

// Draws from the calling thread's random generator when `move` is set.
Rect PlacePicture(int stage_width, int stage_height, int picture_width, int picture_height, bool auto_adjust,
                  bool move);

}  // namespace gd
