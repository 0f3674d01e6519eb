#pragma once
// The finishing touch of the shape effects whose geometry, drawn as written, can miss a few
// pixels in some windows (a tip that stops one row short, a hand that ends a pixel away
// from where the next one starts): the last step also reveals whatever the steps never
// reached, so every transition ends on the whole new frame.

#include "raster/region.h"

namespace gd {

class SlideStage;

// Copies the frame to the window through (window - covered), where `covered` is the union
// of every region the effect revealed. Draws nothing when that remainder is empty, so in
// the windows where the geometry already reaches every pixel the effect is unchanged.
void RevealUncovered(SlideStage& stage, const Region& covered);

}  // namespace gd
