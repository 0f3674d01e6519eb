#pragma once
// Shrinking a picture to fit a box before the maker encodes it: a screensaver needs no
// more pixels than its screens show. The aspect ratio is kept and a picture is never
// enlarged; a box side of 0 does not limit that side (both 0: no box at all).

namespace gd {

struct FittedSize {
    int width = 0;
    int height = 0;
};

// The size of a `width` x `height` picture fitted into the box: itself when it fits (or
// there is no box), else scaled by the smaller of the sides' ratios, rounded, at least 1.
FittedSize FitIntoBox(int width, int height, int box_width, int box_height);

// For a decoder that can give a picture at M/8 of its size (JPEG: each side rounded up):
// the smallest M (1..8) at which the picture still covers its fit into the box, so the
// filter that shrinks it the rest of the way still has at least a pixel for each of its
// own. 8 (the full size) unless the picture is at least twice its fit on both sides.
int ReducedEighths(int width, int height, int box_width, int box_height);

}  // namespace gd
