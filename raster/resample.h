#pragma once
// Smooth scaling: a picture drawn larger or smaller than its own size with filtering,
// instead of dropping or repeating rows and columns. Each axis on its own:
//   - shrinking averages the area each destination pixel covers (a box filter over the
//     source, weighted by how much of each source pixel lies inside): a fine pattern
//     becomes its mean colour, not a moire of the rows that happen to be kept;
//   - enlarging interpolates linearly between the two nearest source pixels (bilinear).
// Weights are fixed point and sum to exactly one, so averaging 2 x 2 or 4 x 4 blocks of
// known values gives their mean exactly (rounded to nearest, halves up).
//
// The source is read row by row (top-down) through a function, so a picture stored
// bottom-up, or a part of one, needs no copy; only the rows a destination row needs are
// read, each once per destination row.

#include <cstdint>
#include <functional>
#include <vector>

#include "raster/bitmap.h"

namespace gd {

// A picture as rows of interleaved 8-bit channels, blue first: 3 (blue, green, red) or 4
// (blue, green, red, unused: a Bitmap's own rows).
struct ChannelRows {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::function<const uint8_t*(int y)> row;  // row y from the top
};

// The rows of a Bitmap, as ChannelRows.
ChannelRows RowsOf(const Bitmap& bitmap);

// The part of the source that is drawn: its left, top, width and height in source
// pixels, fractions allowed (a slow zoom moves by less than a pixel a frame).
struct SourceWindow {
    double x = 0, y = 0, width = 0, height = 0;
};

// Draws `window` of `src` scaled to the rectangle `dst` of `target`, into the part of
// `dst` inside `clip` and the target. Pixels outside the source read as its nearest edge.
void ResampleInto(Bitmap& target, const Rect& dst, const ChannelRows& src, const SourceWindow& window,
                  const Rect& clip);
// The whole source.
inline void ResampleInto(Bitmap& target, const Rect& dst, const ChannelRows& src, const Rect& clip) {
    ResampleInto(target, dst, src, {0, 0, double(src.width), double(src.height)}, clip);
}

// A quick bilinear draw of `window` of `src` into `dst` of `target` (clipped to it), for
// frames drawn again and again at nearly the source's scale (the drift of pan and zoom):
// each destination pixel interpolates the four source pixels around its centre, with
// 8-bit weights. It keeps its tables and row in `scratch`, so a caller that keeps the
// scratch allocates nothing once the sizes settle. A window of the destination's width
// at a whole column offset copies its columns, interpolating only between rows.
struct BilinearScratch {
    std::vector<int32_t> column;  // left source column of each destination column
    std::vector<uint16_t> weight; // of the right one, 0..256
    std::vector<Pixel> row;       // one source row span, blended between two rows
};
void DrawBilinear(Bitmap& target, const Rect& dst, const Bitmap& src, const SourceWindow& window,
                  BilinearScratch& scratch);

// The filter of one axis, for tests and the resampler: destination index i (counted from
// the first one asked for) takes `count[i]` source indices from `first[i]` with weights
// `weights[i * taps + k]`, which sum to kWeightOne (the `taps - count[i]` after them are
// 0, so a loop may run over all `taps`; their indices stay inside the source).
struct AxisFilter {
    static constexpr int kWeightBits = 14;
    static constexpr int32_t kWeightOne = 1 << kWeightBits;
    int taps = 0;
    std::vector<int32_t> first;
    std::vector<int32_t> count;
    std::vector<int16_t> weights;
};
// Destination indices [from, to) of `dst_length` showing source positions [start, start
// + length) of a source `src_length` pixels long.
AxisFilter MakeAxisFilter(double start, double length, int src_length, int dst_length, int from, int to);

}  // namespace gd
