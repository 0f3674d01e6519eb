// What every round, arris, star, sweep, move and stretch effect shares: it ends on the
// whole new frame in any window, paces the steps its geometry sets, stops within a step,
// and sleeps its own fixed time per step in the maker's demonstration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "common/random15.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::WaitCall;

struct Size {
    int w, h;
};

// The effect's first random value, as the effect draws it right after composing the frame.
int FirstRandom(uint32_t seed) {
    SeedRandom(seed);
    return NextRandom();
}

int HalfDiagonalPlus2(int w, int h) { return int(std::sqrt(double(w * w + h * h))) / 2 + 2; }
int ArrisCount(int w, int h) { return int((std::sqrt(double(w * w + h * h)) * 0.5 + 1.0) * std::sqrt(2.0)); }

struct ShapeEffect {
    int id;
    // Step count n for a W x H window and the effect's first random value.
    std::function<int(int w, int h, int r)> steps;
    int first_i = 1;  // the first WaitStep's i; steps run first_i .. first_i + n - 1
    // Demonstration: after steps whose loop counter is a multiple of `every`, sleep
    // `demo_ms` (with the demonstration speed 10).
    int every = 1;
    int demo_ms = 0;
    // The loop counter of the step with WaitStep i (most effects count with i itself).
    std::function<int(int i, int n, int h)> counter = [](int i, int, int) { return i; };
};

const std::vector<ShapeEffect>& Effects() {
    auto fixed = [](int n) { return [n](int, int, int) { return n; }; };
    static const std::vector<ShapeEffect> effects{
        {17, [](int w, int h, int) { return HalfDiagonalPlus2(w, h); }, 0, 3, 11,
         [](int t, int n, int) { return n - t; }},
        {18, [](int w, int h, int) { return HalfDiagonalPlus2(w, h); }, 1, 3, 11},
        {21, fixed(360), 1, 2, 3},
        {22, fixed(361), 1, 2, 3},
        {23, fixed(181), 1, 1, 3},
        {24, fixed(90), 1, 1, 6},
        {25, fixed(91), 1, 1, 6},
        {26, [](int w, int h, int) { return ArrisCount(w, h); }, 1, 3, 11,
         [](int t, int n, int) { return n + 1 - t; }},
        {27, [](int w, int h, int) { return ArrisCount(w, h); }, 1, 3, 11},
        {28, fixed(45), 1, 1, 11},
        {29, fixed(45), 1, 1, 11},
        {30, [](int w, int, int) { return w / 2 + 1; }, 1, 1, 4},
        {31, [](int w, int, int) { return w / 2 + 1; }, 1, 1, 4},
        {32, [](int w, int h, int r) { return r % 2 == 1 ? h : w; }, 1, 2, 6},
        {33, [](int, int h, int) { return h; }, 1, 2, 6, [](int s, int, int h) { return h - s; }},
        {35, [](int w, int h, int) { return w + h; }, 1, 2, 3},
        {36, [](int w, int h, int) { return w + h; }, 1, 2, 3},
        {37, [](int w, int, int) { return w; }, 1, 1, 3},
        {38, [](int, int h, int) { return h; }, 1, 1, 4},
        {39, [](int w, int, int) { return w / 2 + 1; }, 1, 1, 4},
        {40, [](int, int h, int) { return h / 2 + 1; }, 1, 1, 6},
        {41, [](int w, int, int) { return w / 2 + 1; }, 1, 1, 6},
        // Move From Corner (42) counts its steps by two: moves_stretch_test.cpp.
        {43, [](int, int h, int) { return h / 20 + 1; }, 1, 1, 51},
    };
    return effects;
}

std::vector<int> AllIds() {
    std::vector<int> ids;
    for (const ShapeEffect& e : Effects()) ids.push_back(e.id);
    ids.push_back(42);
    return ids;
}

TEST(ShapeEffects, EndOnTheWholeNewFrameInEveryWindow) {
    // 1x1, tiny odd sizes, wider and taller than square, sizes no band or angle divides,
    // and the sizes where the drawing as written falls short (odd H in wide windows, odd
    // W, every square window for the centre sweeps).
    const Size sizes[] = {{1, 1}, {2, 1}, {1, 3}, {3, 2}, {7, 5}, {5, 7}, {10, 3},  {64, 9},
                          {9, 64}, {37, 23}, {23, 37}, {29, 21}, {40, 40}, {101, 33}, {33, 101}};
    for (int id : AllIds())
        for (const Size& s : sizes)
            for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
                EffectRun run = testing::RunEffect(id, {.width = s.w, .height = s.h, .seed = seed});
                ASSERT_EQ(testing::CountDifferent(run.window, run.frame), 0)
                    << "id " << id << " in " << s.w << "x" << s.h << " seed " << seed;
            }
}

TEST(ShapeEffects, PaceTheStepsTheirGeometrySets) {
    for (const ShapeEffect& e : Effects()) {
        for (Size s : {Size{30, 20}, Size{21, 47}, Size{1, 1}}) {
            for (uint32_t seed : {1u, 2u}) {
                EffectRun run = testing::RunEffect(e.id, {.width = s.w, .height = s.h, .seed = seed});
                const int n = e.steps(s.w, s.h, FirstRandom(seed));
                std::vector<WaitCall> expected;
                // Stretch paces against H / 10 steps (1 in windows lower than 10 pixels).
                const int paced = e.id == 43 ? std::max(s.h / 10, 1) : n;
                for (int k = 0; k < n; ++k) expected.push_back({e.first_i + k, paced});
                ASSERT_EQ(run.waits, expected) << "id " << e.id << " in " << s.w << "x" << s.h;
                // Round In's last wait ends at (n - 1) / n, Stretch's about half way.
                if (e.id != 17 && e.id != 43) {
                    EXPECT_EQ(run.elapsed_ms, 1000u) << "id " << e.id;
                }
            }
        }
    }
}

TEST(ShapeEffects, StopMidEffectReturnsBeforeTheNextStep) {
    for (int id : AllIds()) {
        EffectRun run = testing::RunEffect(id, {.width = 40, .height = 90, .seed = 3, .stop_after_wait = 2,
                                                .keep_steps = true});
        ASSERT_EQ(run.waits.size(), 2u) << "id " << id;
        EXPECT_TRUE(run.window == run.steps[1]) << "id " << id << " drew after the stop";
        EXPECT_GT(testing::CountDifferent(run.window, run.frame), 0) << "id " << id;
    }
}

TEST(ShapeEffects, DemonstrationSleepsTheirFixedTimeAfterTheirSteps) {
    const Size s{23, 17};  // odd, so counters that run downward pick other steps
    for (const ShapeEffect& e : Effects()) {
        const uint32_t seed = 4;
        EffectRun paced = testing::RunEffect(e.id, {.width = s.w, .height = s.h, .seed = seed});
        EffectRun demo = testing::RunEffect(e.id, {.width = s.w, .height = s.h, .seed = seed, .demo_mode = true});
        EXPECT_TRUE(demo.waits.empty()) << "id " << e.id;
        EXPECT_TRUE(demo.window == demo.frame) << "id " << e.id;
        size_t sleeping_steps = 0;
        for (const WaitCall& w : paced.waits)
            if (e.counter(w.i, w.n, s.h) % e.every == 0) ++sleeping_steps;
        EXPECT_EQ(demo.sleeps, std::vector<uint32_t>(sleeping_steps, uint32_t(e.demo_ms))) << "id " << e.id;
    }
}

}  // namespace
}  // namespace gd
