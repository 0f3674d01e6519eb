// Geometry of the ring, diamond and wedge effects, checked step by step against a slow
// floating-point reference (pixels within a hair of a shape's edge are not judged).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "tests/effects/effect_harness.h"
#include "tests/effects/shape_reference.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::ExpectRevealed;
using testing::FPoint;
using testing::Where;

Where Disc(double radius, double d) {
    if (std::abs(d - radius) < 0.05) return Where::kNearEdge;
    return d < radius ? Where::kInside : Where::kOutside;
}

TEST(Round, OutGrowsADiscAndInClosesAHoleOneRadiusPerStep) {
    const int w = 37, h = 22, cx = w / 2, cy = h / 2;
    auto dist = [&](int x, int y) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy); };
    EffectRun out = testing::RunEffect(18, {.width = w, .height = h, .keep_steps = true});
    for (int j : {1, 4, 11, 19})
        ExpectRevealed(out, j, [&](int x, int y) { return Disc(j, dist(x, y)); });

    // Round In's step t draws the ring of radius n - t: everything from radius n - t - 1 out.
    EffectRun in = testing::RunEffect(17, {.width = w, .height = h, .keep_steps = true});
    const int n = int(in.waits.size());
    for (int t : {0, 5, 12, n - 3}) {
        const int inner = n - t - 1;
        ExpectRevealed(in, t + 1, [&](int x, int y) {
            Where in_hole = Disc(inner, dist(x, y));
            return in_hole == Where::kNearEdge ? in_hole : in_hole == Where::kInside ? Where::kOutside : Where::kInside;
        });
    }
}

TEST(Round, SinglePixelWindowRunsTwoRings) {
    EffectRun run = testing::RunEffect(18, {.width = 1, .height = 1});
    EXPECT_EQ(run.waits, (std::vector<testing::WaitCall>{{1, 2}, {2, 2}}));
    EXPECT_TRUE(run.window == run.frame);
}

// |x - cx| + |y - cy| of a pixel centre is a whole number: below j inside the diamond of
// size j, above it outside, equal on its edge.
Where Diamond(int j, int x, int y, int cx, int cy) {
    const double s = std::abs(x + 0.5 - cx) + std::abs(y + 0.5 - cy);
    if (s == j) return Where::kNearEdge;
    return s < j ? Where::kInside : Where::kOutside;
}

TEST(Arris, OutGrowsADiamondAndInClosesOne) {
    const int w = 41, h = 26, cx = w / 2, cy = h / 2;
    EffectRun out = testing::RunEffect(27, {.width = w, .height = h, .keep_steps = true});
    for (int j : {1, 2, 9, 30}) ExpectRevealed(out, j, [&](int x, int y) { return Diamond(j, x, y, cx, cy); });

    EffectRun in = testing::RunEffect(26, {.width = w, .height = h, .keep_steps = true});
    const int n = int(in.waits.size());
    // Step t draws the diamond ring of size j = n + 1 - t: all from size j - 1 outward.
    for (int t : {1, 8, 20, n - 2}) {
        const int inner = n - t;
        ExpectRevealed(in, t, [&](int x, int y) {
            Where d = Diamond(inner, x, y, cx, cy);
            return d == Where::kNearEdge ? d : d == Where::kInside ? Where::kOutside : Where::kInside;
        });
    }
}

// The wedge strips of Star In after step i: four triangles from the edges to the tips
// (i, cy), (cx, e), (W - i, cy) and (cx, H - e) with e = (i x H) / W.
Where StarInRevealed(int w, int h, int i, int x, int y) {
    const double cx = w / 2, cy = h / 2, e = (i * h) / w;
    return testing::InAny(testing::InTriangle({0, 0}, {double(i), cy}, {0, double(h)}, x, y),
                          testing::InTriangle({0, 0}, {cx, e}, {double(w), 0}, x, y),
                          testing::InTriangle({double(w), 0}, {double(w - i), cy}, {double(w), double(h)}, x, y),
                          testing::InTriangle({double(w), double(h)}, {cx, double(h) - e}, {0, double(h)}, x, y));
}

// Star Out after step i: each edge's triangle to the centre, less the triangle to its tip.
Where StarOutRevealed(int w, int h, int i, int x, int y) {
    const double cx = w / 2, cy = h / 2, e = (i * h) / w, W = w, H = h;
    using testing::InTriangle;
    using testing::Minus;
    return testing::InAny(
        Minus(InTriangle({0, 0}, {cx, cy}, {0, H}, x, y), InTriangle({0, 0}, {cx - i, cy}, {0, H}, x, y)),
        Minus(InTriangle({0, 0}, {cx, cy}, {W, 0}, x, y), InTriangle({0, 0}, {cx, cy - e}, {W, 0}, x, y)),
        Minus(InTriangle({W, 0}, {cx, cy}, {W, H}, x, y), InTriangle({W, 0}, {cx + i, cy}, {W, H}, x, y)),
        Minus(InTriangle({W, H}, {cx, cy}, {0, H}, x, y), InTriangle({W, H}, {cx, cy + e}, {0, H}, x, y)));
}

TEST(Star, WedgeTipsMoveFromTheEdgesInOrFromTheCentreOut) {
    for (auto size : {std::pair{40, 30}, std::pair{25, 44}}) {
        const int w = size.first, h = size.second;  // plain names: the lambdas below capture them
        EffectRun in = testing::RunEffect(30, {.width = w, .height = h, .keep_steps = true});
        EffectRun out = testing::RunEffect(31, {.width = w, .height = h, .keep_steps = true});
        for (int i : {1, 3, w / 4, w / 2 - 1}) {
            ExpectRevealed(in, i, [&](int x, int y) { return StarInRevealed(w, h, i, x, y); });
            ExpectRevealed(out, i, [&](int x, int y) { return StarOutRevealed(w, h, i, x, y); });
        }
    }
}

// In a window more than about twice as wide as tall with odd H, the top and bottom tips
// stop one row short: (n x H) / W is below H / 2. The last step reveals the sliver.
TEST(Star, WideWindowWithOddHeightStillEndsOnTheFrame) {
    for (int id : {30, 31})
        for (auto [w, h] : {std::pair{10, 3}, std::pair{29, 21}, std::pair{64, 9}}) {
            EffectRun run = testing::RunEffect(id, {.width = w, .height = h});
            EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << id << " " << w << "x" << h;
        }
}

}  // namespace
}  // namespace gd
