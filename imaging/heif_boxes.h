#pragma once
// What we read of a HEIF (or AVIF) file's boxes ourselves, where libheif 1.15 cannot be
// relied on:
//   - the turns and mirrorings of the primary picture: libheif turns and mirrors pictures
//     of more than 8 bits wrongly (a 10-bit picture with a quarter turn comes out unturned
//     and in wrong colours, one with a mirroring fails or is garbled), so those are
//     decoded as stored and turned here;
//   - the canvas a derived primary picture (a grid of tiles, an overlay) declares in its
//     own data: libheif allocates it at that size whatever the size property says, so a
//     file of a few hundred bytes could take gigabytes;
//   - whether a coded primary picture has data at all: libheif hands an empty one to the
//     AV1 decoder, which refuses it with a line on stderr, and loses a little memory;
//   - the sizes every picture of the file is made at, which its declared size need not
//     match: an HEVC picture's parameter sets (imaging/hevc_sps.h), a grid's or overlay's
//     canvas (an alpha plane's too), each decoded or allocated whole by libheif.

#include <cstdint>
#include <vector>

#include "imaging/codec.h"
#include "imaging/hevc_sps.h"

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

struct HeifLayout {
    bool derived = false;  // a grid ('grid') or an overlay ('iovl'), put together by libheif
    int64_t canvas_width = 0, canvas_height = 0;  // the canvas a derived picture declares
    bool has_data = false;  // a coded picture: whether its data is more than nothing
};

// The primary picture's layout. False when the boxes on the way, or a derived picture's
// data, cannot be read.
bool ReadPrimaryLayout(Bytes data, HeifLayout& layout);

struct HeifItemSizes {
    bool derived = false;                             // a grid or an overlay
    int64_t declared_width = 0, declared_height = 0;  // its 'ispe'; 0 without one
    std::vector<HevcPictureSize> made;                // its canvas, or each SPS's size
};

// Every HEVC ('hvc1'), grid and overlay item of the file: the primary picture, its tiles,
// its alpha plane and any other. False when the boxes on the way, an item's configuration
// or a derived item's data cannot be read.
bool ReadPictureItemSizes(Bytes data, std::vector<HeifItemSizes>& items);

// Applies them to a decoded picture, in order.
Status ApplyHeifTransforms(const std::vector<HeifTransform>& transforms, Dib& dib);

}  // namespace gd
