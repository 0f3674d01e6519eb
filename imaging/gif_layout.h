#pragma once
// The block structure of a GIF file up to its first image: the logical screen, the
// colour table that image uses, its transparent index and where it sits on the screen.
// Both GIF adapters share it for probing and the header checks.

#include <vector>

#include "imaging/codec.h"
#include "raster/geometry.h"

namespace gd {

struct GifLayout {
    int screen_width = 0;
    int screen_height = 0;
    int background = 0;
    std::vector<RgbQuad> palette;  // local table of the first image, else the global one
    int transparent = -1;
    Rect frame;                    // the first image on the screen
    bool interlaced = false;
};

bool ProbeGif(Bytes data);
Status ReadGifLayout(Bytes data, GifLayout& layout);
Status GifInfo(Bytes data, ImageInfo& info);

}  // namespace gd
