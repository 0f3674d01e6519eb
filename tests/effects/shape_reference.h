#pragma once
// Slow reference geometry for the shape effects' tests: whether a pixel's centre lies
// inside, outside or too near the edge of a triangle to tell, measured in floating point
// independently of the region rasteriser; and the check of a step's window against it.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "tests/effects/effect_harness.h"

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

// Checks that, after WaitStep call `call` (from 1), every pixel the reference places
// inside the revealed shape shows the new frame and every pixel outside still shows the
// old screen; pixels near an edge are not judged.
inline void ExpectRevealed(const EffectRun& run, int call, const std::function<Where(int x, int y)>& revealed) {
    const Bitmap& shown = run.steps[size_t(call - 1)];
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            Where w = revealed(x, y);
            if (w == Where::kNearEdge) continue;
            ASSERT_EQ(shown.pixel(x, y), w == Where::kInside ? NewPixel(x, y) : OldPixel(x, y))
                << "after wait " << call << " at " << x << "," << y;
        }
}

}  // namespace gd::testing
