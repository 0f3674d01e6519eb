#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "common/random15.h"
#include "effects/diagonal_growth.h"
#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"
#include "tests/effects/reveal_check.h"

namespace gd {
namespace {

using fx::CoverageMask;
using fx::Diagonal;
using testing::EffectRun;
using testing::RevealMismatch;
using testing::WaitCall;

using StepFunction = std::function<void(CoverageMask&, const Diagonal&, int i, bool mend)>;

// The step geometry of an effect id (Slide From Corner from `corner`), and its step count.
StepFunction StepOf(int id, int corner = 0) {
    switch (id) {
        case 11: return [](CoverageMask& m, const Diagonal& d, int i, bool mend) { fx::CrossInStep(m, d, i, mend); };
        case 12: return [](CoverageMask& m, const Diagonal& d, int i, bool mend) { fx::CrossOutStep(m, d, i, mend); };
        case 13: return [](CoverageMask& m, const Diagonal& d, int i, bool mend) { fx::SquareInStep(m, d, i, mend); };
        case 14: return [](CoverageMask& m, const Diagonal& d, int i, bool mend) { fx::SquareOutStep(m, d, i, mend); };
        default:
            return [corner](CoverageMask& m, const Diagonal& d, int i, bool mend) {
                fx::SlideFromCornerStep(m, d, corner, i, mend);
            };
    }
}
int StepCount(int id, int w) { return id == 34 ? w + 2 : w / 2 + 2; }

bool LiteralLeavesPixels(int id, int corner, int w, int h) {
    StepFunction step = StepOf(id, corner);
    const Diagonal d{w, h};
    return fx::LeavesPixelsUnreached(w, h, StepCount(id, w), [&](CoverageMask& m, int i) { step(m, d, i, false); });
}

// The corner Slide From Corner draws for `seed`: its one random choice.
int CornerFor(uint32_t seed) {
    SeedRandom(seed);
    return NextRandom() % 4;
}

TEST(CrossSquareCorner, LinesAsWrittenReachEveryPixelOfAWindowAtLeastAsWideAsTall) {
    // The effects skip the coverage check in such windows (Cross Out only for even
    // heights); this pins why they may.
    for (int w = 1; w <= 36; ++w)
        for (int h = 1; h <= w; ++h) {
            for (int id : {11, 13, 14}) ASSERT_FALSE(LiteralLeavesPixels(id, 0, w, h)) << id << " " << w << "x" << h;
            for (int corner = 0; corner < 4; ++corner)
                ASSERT_FALSE(LiteralLeavesPixels(34, corner, w, h)) << "corner " << corner << " " << w << "x" << h;
            ASSERT_EQ(LiteralLeavesPixels(12, 0, w, h), h % 2 == 1 && h > 1) << "Cross Out " << w << "x" << h;
        }
}

TEST(CrossSquareCorner, TallerThanWideWindowNoLongerSkipsRows) {
    // Regression: rise(i) = i H / W grows by more than one row per step, and the edge
    // lines as written jump over rows that stay old.
    for (auto [w, h] : {std::pair{20, 67}, std::pair{9, 40}, std::pair{30, 45}}) {
        for (int id : {11, 12, 13, 14, 34}) {
            for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
                if (id != 34 && seed > 1) continue;
                ASSERT_TRUE(LiteralLeavesPixels(id, CornerFor(seed), w, h)) << id << " " << w << "x" << h;
                EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed});
                EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << id << " " << w << "x" << h;
                // The step count still follows W alone.
                EXPECT_EQ(run.waits.size(), size_t(StepCount(id, w))) << id;
            }
        }
    }
}

TEST(CrossOut, OddHeightNoLongerLeavesTheBottomRow) {
    for (auto [w, h] : {std::pair{40, 21}, std::pair{7, 3}, std::pair{64, 17}}) {
        EffectRun run = testing::RunEffect(12, {.width = w, .height = h, .keep_steps = true});
        EXPECT_EQ(RevealMismatch(run.window, [](int, int) { return true; }), "") << w << "x" << h;
    }
}

TEST(CrossSquareCorner, WindowsThatTheLinesAlreadyFillAreDrawnExactlyAsWritten) {
    // Wider, square, and two taller windows whose lines happen to reach every pixel.
    for (auto [w, h] : {std::pair{41, 30}, std::pair{26, 26}, std::pair{3, 4}, std::pair{2, 9}}) {
        for (int id : {11, 12, 13, 14, 34}) {
            for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
                const int corner = CornerFor(seed);
                if ((id != 34 && seed > 1) || LiteralLeavesPixels(id, corner, w, h)) continue;
                EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
                const int n = StepCount(id, w);
                ASSERT_EQ(run.steps.size(), size_t(n));
                CoverageMask literal(w, h);
                StepFunction step = StepOf(id, corner);
                for (int i = 0; i < n; ++i) {
                    ASSERT_EQ(run.waits[size_t(i)], (WaitCall{i + 1, n}));
                    step(literal, Diagonal{w, h}, i, false);
                    ASSERT_EQ(RevealMismatch(run.steps[size_t(i)], [&](int x, int y) { return literal.reached(x, y); }),
                              "")
                        << EffectName(id) << " " << w << "x" << h << " step " << i + 1;
                }
            }
        }
    }
}

TEST(SlideFromCorner, GrowsFromEachCornerAndDrawsNothingAtFirstFromTheRight) {
    bool seen[4] = {};
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        const int corner = CornerFor(seed);
        seen[corner] = true;
        EffectRun run = testing::RunEffect(34, {.width = 40, .height = 30, .seed = seed, .keep_steps = true});
        const bool right = corner == 1 || corner == 3, bottom = corner >= 2;
        // After step i + 1 the rectangle spans i + 1 columns (i from the right) and
        // rise(i) + 1 rows from its corner.
        for (int i : {0, 1, 10, 25}) {
            const int rise = i * 30 / 40, columns = right ? i : i + 1;
            EXPECT_EQ(RevealMismatch(run.steps[size_t(i)],
                                     [&](int x, int y) {
                                         bool in_x = right ? x >= 40 - columns : x < columns;
                                         bool in_y = bottom ? y >= 30 - rise : y <= rise;
                                         return in_x && in_y;
                                     }),
                      "")
                << "corner " << corner << " step " << i + 1;
        }
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);
}

TEST(CrossSquareCorner, StopMidEffectReturnsWithinOneStep) {
    for (int id : {11, 12, 13, 14, 34}) {
        for (auto [w, h] : {std::pair{40, 30}, std::pair{20, 67}}) {
            EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .stop_after_wait = 3});
            EXPECT_EQ(run.waits.size(), 3u) << id;
            EXPECT_GT(testing::CountDifferent(run.window, run.frame), 0) << id;
        }
    }
}

TEST(CrossSquareCorner, DemonstrationSleepsAfterEverySecondStep) {
    for (int id : {11, 12, 13, 14, 34}) {
        EffectRun run = testing::RunEffect(id, {.width = 41, .height = 20, .seed = 2, .demo_mode = true});
        EXPECT_TRUE(run.waits.empty());
        EXPECT_TRUE(run.window == run.frame) << id;
        // Counters i = 0 .. n - 1; the even ones sleep s + 1 (Slide From Corner s / 2 + 1).
        const int n = StepCount(id, 41);
        EXPECT_EQ(run.sleeps.size(), size_t((n - 1) / 2 + 1)) << id;
        for (uint32_t ms : run.sleeps) ASSERT_EQ(ms, id == 34 ? 6u : 11u) << id;
    }
}

}  // namespace
}  // namespace gd
