#pragma once
// Slow reference geometry for the shape effects' tests: whether a pixel's centre lies
// inside, outside or too near the edge of a triangle to tell, measured in floating point
// independently of the region rasteriser.

#include <array>
#include <cmath>

namespace gd::testing {

enum class Where { kOutside, kInside, kNearEdge };

struct FPoint {
    double x, y;
};

// Where the centre of pixel (x, y) lies against triangle (a, b, c); within `margin`
// pixels of an edge it is kNearEdge. A triangle without area holds nothing.
inline Where InTriangle(FPoint a, FPoint b, FPoint c, int x, int y, double margin = 0.05) {
    const double px = x + 0.5, py = y + 0.5;
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (std::abs(area) < 1e-9) return Where::kOutside;
    const double sign = area > 0 ? 1.0 : -1.0;
    const std::array<std::array<FPoint, 2>, 3> edges{{{a, b}, {b, c}, {c, a}}};
    bool near = false;
    for (const auto& e : edges) {
        const double dx = e[1].x - e[0].x, dy = e[1].y - e[0].y;
        const double dist = sign * (dx * (py - e[0].y) - dy * (px - e[0].x)) / std::hypot(dx, dy);
        if (dist < -margin) return Where::kOutside;
        if (dist < margin) near = true;
    }
    return near ? Where::kNearEdge : Where::kInside;
}

// Where a pixel lies against the union of shapes, given where it lies against each.
template <class... W> Where InAny(W... where) {
    bool near = false;
    for (Where w : {where...}) {
        if (w == Where::kInside) return Where::kInside;
        near = near || w == Where::kNearEdge;
    }
    return near ? Where::kNearEdge : Where::kOutside;
}

// The part of `outer` outside `inner` (`inner` lies within `outer`).
inline Where Minus(Where outer, Where inner) {
    if (outer == Where::kNearEdge || inner == Where::kNearEdge) return Where::kNearEdge;
    return outer == Where::kInside && inner == Where::kOutside ? Where::kInside : Where::kOutside;
}

}  // namespace gd::testing
