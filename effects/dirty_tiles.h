#pragma once
// The parts of the window buffer drawn since the last present, kept as a grid of tiles.
//
// A present copies what changed to the real window. The bounding rectangle of a step's
// drawing is often the whole window (a ring, the strips of a blind, cells scattered over
// the screen) while the pixels drawn are a thin share of it; copying the whole window
// sixty times a second would cost more than all the drawing. The grid keeps a flag per
// tile of kTileWidth x kTileHeight pixels: marking costs a few byte stores per span, and
// a present copies only the marked tiles (at most a tile's width more per span than was
// drawn).
//
// The rectangles given out are cut to the window and do not overlap; marked tiles side by
// side in a tile row come out as one, and so do such runs over the same columns in
// consecutive tile rows.

#include <cstdint>
#include <vector>

#include "raster/geometry.h"
#include "raster/region.h"

namespace gd {

class DirtyTiles {
public:
    static constexpr int kTileWidth = 32;
    static constexpr int kTileHeight = 8;

    DirtyTiles(int width, int height);

    // Marks every tile `r` touches (the part of it inside the window).
    void Mark(const Rect& r);
    // Marks every tile the pixels of `region` inside `within` touch.
    void Mark(const Region& region, const Rect& within);

    bool empty() const { return first_row_ > last_row_; }
    // Replaces `out` with the marked tiles as rectangles and clears every mark.
    void Take(std::vector<Rect>& out);

private:
    int width_, height_, columns_, rows_;
    std::vector<uint8_t> marks_;  // row-major, one byte per tile
    int first_row_, last_row_;    // the tile rows that may hold marks
};

}  // namespace gd
