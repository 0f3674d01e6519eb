#pragma once
// Two pictures of our own, drawn by code, for effect renderings without picture files:
// a dawn over hills (warm) and a sea with a sail (cool), so a transition between them is
// easy to follow.

#include "imaging/cx_image.h"

namespace gd::cli {

CxImage DawnPicture(int width, int height);
CxImage SeaPicture(int width, int height);

}  // namespace gd::cli
