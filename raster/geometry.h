#pragma once
// Points and half-open integer rectangles: a Rect covers left <= x < right and
// top <= y < bottom, so adjacent rectangles share no pixel and width = right - left.

#include <algorithm>

namespace gd {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool is_empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool contains(const Rect& r) const {
        return r.is_empty() || (r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom);
    }

    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr void translate_by(int dx, int dy) { *this = translated(dx, dy); }

    // The common part; an empty result is normalised to {0,0,0,0}.
    constexpr Rect intersected(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.is_empty() ? Rect{} : r;
    }
    constexpr void intersect(const Rect& o) { *this = intersected(o); }

    // The smallest rectangle holding both; an empty operand is ignored.
    constexpr Rect united(const Rect& o) const {
        if (is_empty()) return o;
        if (o.is_empty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace gd
