#pragma once
// The backdrop of a picture that does not cover the screen (nBackdrop 1): the picture
// itself, scaled to cover the whole screen, blurred and darkened, behind the picture.
// Made once per picture: shrunk to a small copy (averaging), blurred there, darkened,
// then enlarged to the screen with interpolation, which smooths it further.

#include "imaging/cx_image.h"
#include "raster/bitmap.h"

namespace gd {

// How much of the picture's brightness the backdrop keeps, in 256ths.
constexpr int kBackdropBrightness = 112;

// Fills `frame` with the backdrop of `image`; with no picture, fills it with `background`.
void DrawBackdrop(Bitmap& frame, const CxImage& image, Pixel background);

}  // namespace gd
