#pragma once
// The turns and mirrorings a HEIF (or AVIF) file's container gives its primary picture,
// read from its boxes by us: libheif 1.15 turns and mirrors pictures of more than 8 bits wrongly
// (a 10-bit picture with a quarter turn comes out unturned and in wrong colours, one with
// a mirroring fails or is garbled), so those are decoded as stored and turned here.

#include <vector>

#include "imaging/codec.h"

namespace gd {

struct HeifTransform {
    enum Kind { kRotate, kMirror } kind;
    // kRotate: quarter turns anticlockwise, 0..3; kMirror: 0 exchanges top and bottom,
    // 1 left and right.
    int value;
};

// The 'irot' and 'imir' properties of the primary item in the order its associations
// list them (the order they apply in); empty when it has none. False when the boxes on the
// way cannot be read.
bool ReadPrimaryTransforms(Bytes data, std::vector<HeifTransform>& transforms);

// Applies them to a decoded picture, in order.
Status ApplyHeifTransforms(const std::vector<HeifTransform>& transforms, Dib& dib);

}  // namespace gd
