#pragma once
// A set of pixels stored as horizontal bands of spans, the shape of a clip on the window.
//
//        x: 0    4    8   12
//   y 0  |    ####   ##   |   band [0, 2): spans [4,8) [10,12)
//   y 1  |    ####   ##   |
//   y 2  |  ########      |   band [2, 3): span  [2,10)
//
// Invariants (selfcheck() verifies them):
//   - bands are sorted by top, do not overlap, and each has top < bottom;
//   - every band holds at least one span; spans are sorted, non-empty (left < right) and
//     do not touch (a span's right is below the next span's left);
//   - two bands that touch vertically never hold equal spans (they are coalesced).
// Spans and bands are half-open like Rect: a span [l, r) covers l <= x < r.
//
// Every shape samples pixel centres: pixel (x, y) belongs to a polygon or an ellipse when
// its centre (x + 0.5, y + 0.5) does. Shapes that share an edge therefore share no pixel
// and leave no gap between them, which the step-by-step reveals rely on.

#include <climits>
#include <cstdint>
#include <span>
#include <vector>

#include "raster/geometry.h"

namespace gd {

struct Span {
    int left = 0;
    int right = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// A band's spans live in the region's one span array (Region::spans), so building a
// region of thousands of rows allocates a couple of arrays, not one per row.
struct RegionBand {
    int top = 0;
    int bottom = 0;
    uint32_t first = 0;  // index of its first span
    uint32_t count = 0;
};

class Region {
public:
    Region() = default;
    static Region FromRect(const Rect& r);
    // The polygon through `points` (closed implicitly) with the even-odd fill rule.
    static Region Polygon(std::span<const Point> points);
    // The same polygon, only its rows top <= y < bottom: the part a window of those rows
    // can show, without rasterising the rest (a shape may reach far beyond the window).
    static Region PolygonInRows(std::span<const Point> points, int top, int bottom);
    // The ellipse inscribed in `box`; an inverted box is normalised first.
    static Region Ellipse(const Rect& box);
    // The same ellipse, only its rows top <= y < bottom.
    static Region EllipseInRows(const Rect& box, int top, int bottom);
    // The pixels in exactly one of the ellipses inscribed in `a` and `b`, only the rows
    // top <= y < bottom: EllipseInRows(a).SymmetricDifference(EllipseInRows(b)) in one
    // pass, as a ring effect needs it at every step.
    static Region EllipseRingInRows(const Rect& a, const Rect& b, int top, int bottom);

    Region Union(const Region& other) const;
    Region Intersection(const Region& other) const;
    Region Intersection(const Rect& r) const;
    // Pixels in exactly one of the two regions.
    Region SymmetricDifference(const Region& other) const;
    // Pixels of this region that are not in `other`.
    Region Difference(const Region& other) const;

    bool is_empty() const { return bands_.empty(); }
    Rect bounds() const;
    int64_t area() const;
    bool contains(int x, int y) const;
    const std::vector<RegionBand>& bands() const { return bands_; }
    std::span<const Span> spans(const RegionBand& band) const { return {spans_.data() + band.first, band.count}; }

    bool selfcheck() const;

private:
    // Makes the spans pushed since index `first` (with PushSpan) a band below every band
    // already held, merging it into the last band when that one touches it and holds the
    // same spans, and dropping it when it holds none.
    void CloseBand(int top, int bottom, size_t first);
    // Appends [left, right) to the open band's spans (from index `first`), merging it with
    // the last one when they touch. Spans arrive sorted by left.
    void PushSpan(size_t first, int left, int right);
    template <class Keep> Region Combine(const Region& other, Keep keep) const;

    std::vector<RegionBand> bands_;
    std::vector<Span> spans_;
};

}  // namespace gd
