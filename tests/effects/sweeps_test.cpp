// Geometry of the sweep effects, step by step: which angles around the centre the hands
// have passed (the centre sweeps), which triangles around a corner are open (the corner
// sweeps), checked against a slow floating-point reference. Pixels within a hair of a
// hand are not judged.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "common/random15.h"
#include "tests/effects/effect_harness.h"
#include "tests/effects/shape_reference.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::ExpectRevealed;
using testing::FPoint;
using testing::Where;

int FirstRandom(uint32_t seed) {
    SeedRandom(seed);
    return NextRandom();
}

// A clockwise arc of the dial from `from` degrees over `span` degrees (0 up).
struct Arc {
    int from, span;
};

// Where pixel (x, y) lies against the arcs swept around the window's centre: its angle
// from the centre, clockwise from up, inside one of them or not; 1.5 degrees around a
// hand (the hands' end points are truncated to whole pixels) and the pixels next to the
// centre are not judged.
Where InArcs(int w, int h, const std::vector<Arc>& arcs, int x, int y) {
    const double dx = x + 0.5 - w / 2, dy = y + 0.5 - h / 2;
    if (std::hypot(dx, dy) < 3) return Where::kNearEdge;
    const double angle = std::atan2(dx, -dy) * 180.0 / M_PI;
    bool near = false;
    for (const Arc& a : arcs) {
        double rel = std::fmod(angle - a.from + 720.0, 360.0);
        if (rel < 1.5 || rel > 358.5 || std::abs(rel - a.span) < 1.5) near = true;
        else if (rel < a.span) return Where::kInside;
    }
    return near ? Where::kNearEdge : Where::kOutside;
}

TEST(CentreSweeps, HandsTurnFromTheirStartAnglesInTheirSenses) {
    const int w = 120, h = 90;
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        const int a0 = 90 * (FirstRandom(seed) % 4);
        // Each effect: its id, the steps to look at, and the arcs open after step s.
        struct Case {
            int id;
            std::vector<int> steps;
            std::function<std::vector<Arc>(int s)> arcs;
        };
        const std::vector<Case> cases{
            {21, {1, 45, 200, 359}, [&](int s) { return std::vector<Arc>{{a0, s}}; }},
            {22, {2, 91, 300}, [&](int s) { return std::vector<Arc>{{a0 + 361 - s, s - 1}}; }},
            {23, {2, 60, 170}, [&](int s) { return std::vector<Arc>{{a0, s - 1}, {a0 - (s - 1), s - 1}}; }},
            {24, {1, 30, 89},
             [](int k) { return std::vector<Arc>{{0, k}, {90, k}, {180, k}, {270, k}}; }},
            {25, {2, 40, 90},
             [](int s) { return std::vector<Arc>{{1 - s, s - 1}, {91 - s, s - 1}, {181 - s, s - 1}, {271 - s, s - 1}}; }},
            {28, {1, 20, 44},
             [](int k) {
                 std::vector<Arc> arcs;
                 for (int b = 0; b < 8; ++b) arcs.push_back({45 * b, k});
                 return arcs;
             }},
            {29, {1, 20, 44},
             [](int k) {
                 std::vector<Arc> arcs;
                 for (int b = 0; b < 8; ++b) arcs.push_back({45 * b + 45 - k, k});
                 return arcs;
             }},
        };
        for (const Case& c : cases) {
            EffectRun run = testing::RunEffect(c.id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
            for (int s : c.steps) {
                SCOPED_TRACE("id " + std::to_string(c.id) + " seed " + std::to_string(seed));
                const std::vector<Arc> arcs = c.arcs(s);
                ExpectRevealed(run, s, [&](int x, int y) { return InArcs(w, h, arcs, x, y); });
            }
        }
    }
}

// Truncating the hands' end points to whole pixels parts a hand's last point from where
// the next hand (or the same hand a turn earlier) began; the sliver between them is
// revealed with the last step. Square windows and every start angle show it.
TEST(CentreSweeps, HandsThatEndAPixelFromTheNextHandStillCloseTheWindow) {
    for (int id : {21, 23, 24, 25, 28, 29})
        for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u})
            for (int size : {40, 100, 151}) {
                EffectRun run = testing::RunEffect(id, {.width = size, .height = size, .seed = seed});
                ASSERT_EQ(testing::CountDifferent(run.window, run.frame), 0)
                    << "id " << id << " seed " << seed << " in " << size << "x" << size;
            }
}

TEST(Coalition, ScissorsCloseAlongTheDiagonalWithTheStepsOfTheirSide) {
    const int w = 50, h = 30;
    const double W = w, H = h;
    bool seen[2] = {false, false};
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        const bool by_rows = FirstRandom(seed) % 2 == 1;
        seen[by_rows] = true;
        EffectRun run = testing::RunEffect(32, {.width = w, .height = h, .seed = seed, .keep_steps = true});
        ASSERT_EQ(run.waits.size(), size_t(by_rows ? h : w));
        for (int i : {1, 10, int(run.waits.size()) - 1}) {
            ExpectRevealed(run, i, [&](int x, int y) {
                if (by_rows)
                    return testing::InAny(testing::InTriangle({0, 0}, {W, 0}, {W, double(i)}, x, y),
                                          testing::InTriangle({W, H}, {0, H}, {0, H - i}, x, y));
                return testing::InAny(testing::InTriangle({0, H}, {0, 0}, {double(i), 0}, x, y),
                                      testing::InTriangle({W, 0}, {W, H}, {W - i, H}, x, y));
            });
        }
    }
    EXPECT_TRUE(seen[0] && seen[1]) << "both orientations drawn";
}

TEST(Abruption, OpensFromTheDiagonalTowardTwoCorners) {
    const int w = 50, h = 30;
    const double W = w, H = h;
    EffectRun run = testing::RunEffect(33, {.width = w, .height = h, .keep_steps = true});
    for (int s : {1, 12, 29}) {
        const double j = h - s;
        ExpectRevealed(run, s, [&](int x, int y) {
            return testing::InAny(testing::InTriangle({0, 0}, {W, H}, {W, j}, x, y),
                                  testing::InTriangle({W, H}, {0, 0}, {0, H - j}, x, y));
        });
    }
}

// The corner a Slide Bevel turns around, the corner its outer point starts from, and the
// one where it turns; the outer point walks i pixels along the two far edges.
struct BevelPath {
    FPoint apex, start, turn, end;
};

BevelPath Bevel(int k, bool back, double w, double h) {
    const FPoint tl{0, 0}, tr{w, 0}, br{w, h}, bl{0, h};
    // Clockwise the outer point runs from the corner after the apex; back, the other way.
    switch (k) {
        case 0: return back ? BevelPath{bl, br, tr, tl} : BevelPath{bl, tl, tr, br};
        case 1: return back ? BevelPath{tl, bl, br, tr} : BevelPath{tl, tr, br, bl};
        case 2: return back ? BevelPath{tr, tl, bl, br} : BevelPath{tr, br, bl, tl};
        default: return back ? BevelPath{br, tr, tl, bl} : BevelPath{br, bl, tl, tr};
    }
}

FPoint Along(FPoint a, FPoint b, double d) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    return {a.x + (b.x - a.x) * d / len, a.y + (b.y - a.y) * d / len};
}

TEST(SlideBevel, OuterPointWalksTheFarEdgesAroundTheChosenCorner) {
    const int w = 50, h = 30;
    bool seen[2][4] = {};
    for (int id : {35, 36})
        for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
            const int k = FirstRandom(seed) % 4;
            const bool back = id == 36;
            seen[back][k] = true;
            const BevelPath p = Bevel(k, back, w, h);
            const double first_leg = std::hypot(p.turn.x - p.start.x, p.turn.y - p.start.y);
            EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
            for (int i : {1, int(first_leg) - 1, int(first_leg), int(first_leg) + 1, w + h - 1}) {
                SCOPED_TRACE("id " + std::to_string(id) + " corner " + std::to_string(k) + " step " +
                             std::to_string(i));
                ExpectRevealed(run, i, [&](int x, int y) {
                    if (i <= first_leg) return testing::InTriangle(p.apex, p.start, Along(p.start, p.turn, i), x, y);
                    return testing::InAny(testing::InTriangle(p.apex, p.start, p.turn, x, y),
                                          testing::InTriangle(p.apex, p.turn, Along(p.turn, p.end, i - first_leg), x, y));
                });
            }
        }
    for (int back = 0; back < 2; ++back)
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(seen[back][k]) << "corner " << k << " back " << back;
}

}  // namespace
}  // namespace gd
