#include "effects/dirty_tiles.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace gd {

DirtyTiles::DirtyTiles(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      columns_((width_ + kTileWidth - 1) / kTileWidth),
      rows_((height_ + kTileHeight - 1) / kTileHeight),
      marks_(size_t(columns_) * size_t(rows_), 0),
      first_row_(INT_MAX),
      last_row_(INT_MIN) {}

void DirtyTiles::Mark(const Rect& r) {
    const Rect c = r.intersected({0, 0, width_, height_});
    if (c.is_empty()) return;
    const int c0 = c.left / kTileWidth, c1 = (c.right - 1) / kTileWidth;
    const int r0 = c.top / kTileHeight, r1 = (c.bottom - 1) / kTileHeight;
    for (int row = r0; row <= r1; ++row) std::memset(&marks_[size_t(row) * columns_ + c0], 1, size_t(c1 - c0 + 1));
    first_row_ = std::min(first_row_, r0);
    last_row_ = std::max(last_row_, r1);
}

void DirtyTiles::Mark(const Region& region, const Rect& within) {
    const Rect box = within.intersected({0, 0, width_, height_});
    if (box.is_empty()) return;
    // A ring's clip is thousands of one-row bands of a span or two: per span only the
    // columns are worked out, and the tile rows once per band.
    for (const RegionBand& band : region.bands()) {
        if (band.bottom <= box.top) continue;
        if (band.top >= box.bottom) break;
        const int r0 = std::max(band.top, box.top) / kTileHeight, r1 = (std::min(band.bottom, box.bottom) - 1) / kTileHeight;
        bool marked = false;
        for (const Span& s : region.spans(band)) {
            if (s.right <= box.left) continue;
            if (s.left >= box.right) break;
            const int c0 = std::max(s.left, box.left) / kTileWidth, c1 = (std::min(s.right, box.right) - 1) / kTileWidth;
            for (int row = r0; row <= r1; ++row) {
                uint8_t* marks = &marks_[size_t(row) * columns_];
                for (int c = c0; c <= c1; ++c) marks[c] = 1;
            }
            marked = true;
        }
        if (marked) {
            first_row_ = std::min(first_row_, r0);
            last_row_ = std::max(last_row_, r1);
        }
    }
}

void DirtyTiles::Take(std::vector<Rect>& out) {
    out.clear();
    if (empty()) return;
    // Runs of marked tiles per tile row; a run over the same columns as one of the row
    // above extends that row's rectangle downwards instead of starting another.
    size_t above_begin = 0, above_end = 0;  // the previous row's rectangles in `out`
    for (int row = first_row_; row <= last_row_; ++row) {
        uint8_t* marks = &marks_[size_t(row) * columns_];
        const int top = row * kTileHeight, bottom = std::min(top + kTileHeight, height_);
        const size_t row_begin = out.size();
        size_t above = above_begin;
        for (int c = 0; c < columns_;) {
            if (!marks[c]) {
                ++c;
                continue;
            }
            int end = c;
            while (end < columns_ && marks[end]) ++end;
            const int left = c * kTileWidth, right = std::min(end * kTileWidth, width_);
            while (above < above_end && out[above].left < left) ++above;
            if (above < above_end && out[above].left == left && out[above].right == right && out[above].bottom == top) {
                out[above].bottom = bottom;
                // Moved into this row's group, so the row below can extend it again.
                out.push_back(out[above]);
                out[above] = Rect{};
            } else {
                out.push_back({left, top, right, bottom});
            }
            c = end;
        }
        std::memset(marks, 0, size_t(columns_));
        above_begin = row_begin;
        above_end = out.size();
    }
    std::erase_if(out, [](const Rect& r) { return r.is_empty(); });
    first_row_ = INT_MAX;
    last_row_ = INT_MIN;
}

}  // namespace gd
