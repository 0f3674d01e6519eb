#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "common/random15.h"
#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"
#include "tests/effects/reveal_check.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::RevealMismatch;
using testing::ShowsNew;
using testing::WaitCall;

// The pixels that step `k` (from 1) turned from old to new, as a bounding box, and their
// count; fails the test when a pixel went back from new to old.
struct StepReveal {
    Rect box;
    int64_t count = 0;
};

StepReveal RevealedBy(const EffectRun& run, size_t k) {
    const Bitmap& before = k == 1 ? run.old_screen : run.steps[k - 2];
    const Bitmap& after = run.steps[k - 1];
    StepReveal r;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            bool was = before.pixel(x, y) == testing::NewPixel(x, y);
            bool is = ShowsNew(after, x, y);
            EXPECT_FALSE(was && !is) << "step " << k << " hid " << x << "," << y;
            if (is && !was) {
                r.box = r.box.united(Rect::FromSize(x, y, 1, 1));
                ++r.count;
            }
        }
    return r;
}

// Mosaic's cell side, read from the step count N = ceil(W / S) x ceil(H / S).
int MosaicSide(const EffectRun& run, int w, int h) {
    for (int side : {10, 20})
        if (run.waits.front().n == ((w + side - 1) / side) * ((h + side - 1) / side)) return side;
    return 0;
}

TEST(Mosaic, RevealsEveryCellOnceInARandomOrder) {
    const int w = 73, h = 41;
    std::set<std::vector<std::pair<int, int>>> orders;
    std::set<int> sides;
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        EffectRun run = testing::RunEffect(6, {.width = w, .height = h, .seed = seed, .keep_steps = true});
        ASSERT_FALSE(run.waits.empty());
        const int side = MosaicSide(run, w, h);
        ASSERT_NE(side, 0) << "steps " << run.waits.front().n;
        sides.insert(side);
        const int n = run.waits.front().n;
        ASSERT_EQ(run.waits.size(), size_t(n));
        std::vector<std::pair<int, int>> order;
        for (int t = 1; t <= n; ++t) {
            ASSERT_EQ(run.waits[size_t(t - 1)], (WaitCall{t, n}));
            // Each step reveals exactly one whole grid cell (clipped), never seen before.
            StepReveal r = RevealedBy(run, size_t(t));
            ASSERT_EQ(r.box.left % side, 0);
            ASSERT_EQ(r.box.top % side, 0);
            Rect cell = Rect::FromSize(r.box.left, r.box.top, side, side).intersected({0, 0, w, h});
            ASSERT_EQ(r.box, cell) << "step " << t;
            ASSERT_EQ(r.count, int64_t(cell.width()) * cell.height()) << "step " << t;
            order.emplace_back(cell.left, cell.top);
        }
        orders.insert(order);
        EXPECT_TRUE(run.window == run.frame);
    }
    EXPECT_EQ(orders.size(), 5u) << "the order follows the generator";
    EXPECT_EQ(sides.size(), 2u) << "both cell sides occur";
}

TEST(Mosaic, FirstCellFollowsTheIndexFormula) {
    // Seeded as the harness seeds: the side first, then r for the first draw among N cells.
    const int w = 95, h = 33;
    for (uint32_t seed : {11u, 12u, 13u}) {
        SeedRandom(seed);
        const int side = 10 * (1 + NextRandom() % 2);
        const int columns = (w + side - 1) / side, n = columns * ((h + side - 1) / side);
        const int r = NextRandom();
        const int index = int(double(r) * (n - 1) / 32767.0);
        EffectRun run = testing::RunEffect(6, {.width = w, .height = h, .seed = seed, .keep_steps = true});
        StepReveal first = RevealedBy(run, 1);
        EXPECT_EQ(first.box.left, (index % columns) * side) << "seed " << seed;
        EXPECT_EQ(first.box.top, (index / columns) * side) << "seed " << seed;
    }
}

TEST(RandomLines, RevealsEveryBandOnceInARandomOrder) {
    std::set<int> thicknesses;
    for (int id : {19, 20}) {
        for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
            const int w = id == 19 ? 6 : 47, h = id == 19 ? 47 : 6;
            EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
            ASSERT_FALSE(run.waits.empty());
            const int n = run.waits.front().n;
            const int t = n == 47 ? 1 : n == 24 ? 2 : n == 16 ? 3 : 0;  // N = ceil(47 / T)
            ASSERT_NE(t, 0) << "steps " << n;
            thicknesses.insert(t);
            ASSERT_EQ(run.waits.size(), size_t(n));
            std::set<int> seen;
            for (int k = 1; k <= n; ++k) {
                ASSERT_EQ(run.waits[size_t(k - 1)], (WaitCall{k, n}));
                StepReveal r = RevealedBy(run, size_t(k));
                const int start = id == 19 ? r.box.top : r.box.left;
                const int extent = id == 19 ? r.box.height() : r.box.width();
                ASSERT_EQ(start % t, 0) << "step " << k;
                ASSERT_EQ(extent, std::min(t, 47 - start)) << "step " << k;
                ASSERT_EQ(r.count, int64_t(extent) * (id == 19 ? w : h)) << "step " << k;
                ASSERT_TRUE(seen.insert(start).second);
            }
            EXPECT_TRUE(run.window == run.frame);
        }
    }
    EXPECT_EQ(thicknesses.size(), 3u);
}

TEST(Spire, MakesNPlusOneCopiesClockwiseFromTheTopLeft) {
    for (auto size : {std::pair{100, 70}, std::pair{61, 130}}) {
        const int w = size.first, h = size.second;  // plain names: the lambdas below capture them
        for (uint32_t seed : {1u, 2u, 3u, 4u}) {
            EffectRun run = testing::RunEffect(44, {.width = w, .height = h, .seed = seed, .keep_steps = true});
            // The cell side: how far the first copy reaches from the top-left corner.
            int side = 1;
            while (side < w && ShowsNew(run.steps[0], side, 0)) ++side;
            ASSERT_TRUE(side == 20 || side == 30 || side == 40) << side;
            const int n = (w / side + 1) * (h / side + 2);
            ASSERT_EQ(run.waits.size(), size_t(n + 1)) << "N + 1 copies, each a step";
            for (int k = 1; k <= n + 1; ++k) ASSERT_EQ(run.waits[size_t(k - 1)], (WaitCall{k, n + 1}));
            // The top leg is done after ceil(W / S) copies; the next copy starts the right
            // leg one cell down, aligned to the right edge.
            const int top_leg = (w + side - 1) / side;
            ASSERT_EQ(RevealMismatch(run.steps[size_t(top_leg - 1)], [&](int, int y) { return y < side; }), "")
                << w << "x" << h << " S " << side;
            ASSERT_EQ(RevealMismatch(run.steps[size_t(top_leg)],
                                     [&](int x, int y) { return y < side || (x >= w - side && y < 2 * side); }),
                      "")
                << w << "x" << h << " S " << side;
            EXPECT_TRUE(run.window == run.frame);
        }
    }
}

TEST(Spire, CellLargerThanTheWindowCoversItWithTheFirstOfItsPacedCopies) {
    EffectRun run = testing::RunEffect(44, {.width = 15, .height = 9, .seed = 1, .keep_steps = true});
    // N = (0 + 1) x (0 + 2) whatever the side; N + 1 copies.
    ASSERT_EQ(run.waits.size(), 3u);
    EXPECT_TRUE(run.steps[0] == run.frame);
    EXPECT_EQ(run.elapsed_ms, 1000u);
}

TEST(RandomAndCells, StopMidEffectReturnsWithinOneStep) {
    for (int id : {6, 19, 20, 44}) {
        EffectRun run = testing::RunEffect(id, {.width = 90, .height = 90, .seed = 1, .stop_after_wait = 2});
        EXPECT_EQ(run.waits.size(), 2u) << "id " << id;
        EXPECT_GT(testing::CountDifferent(run.window, run.frame), 0) << "id " << id;
    }
}

TEST(RandomAndCells, DemonstrationSleepsFollowEachEffectsRule) {
    auto count_ms = [](const EffectRun& run, uint32_t ms) {
        size_t n = 0;
        for (uint32_t sleep : run.sleeps) n += sleep == ms;
        return n == run.sleeps.size() ? n : size_t(0);
    };
    // Mosaic: 55 ms whenever the cells left are a multiple of 30 - S / 10, the last step
    // (none left) included.
    EffectRun mosaic = testing::RunEffect(6, {.width = 200, .height = 100, .seed = 3, .demo_mode = true});
    const size_t mosaic_sleeps = count_ms(mosaic, 55);
    EXPECT_TRUE(mosaic_sleeps == (200 - 1) / 29 + 1 || mosaic_sleeps == (50 - 1) / 28 + 1) << mosaic_sleeps;
    // Random Lines: 11 ms whenever the lines left are a multiple of 4 - T.
    EffectRun lines = testing::RunEffect(19, {.width = 5, .height = 60, .seed = 4, .demo_mode = true});
    const size_t line_sleeps = count_ms(lines, 11);
    EXPECT_TRUE(line_sleeps == (60 - 1) / 3 + 1 || line_sleeps == (30 - 1) / 2 + 1 || line_sleeps == 20)
        << line_sleeps;
    // Spire: 11 ms after every copy.
    EffectRun spire = testing::RunEffect(44, {.width = 60, .height = 60, .seed = 5, .demo_mode = true});
    const size_t spire_sleeps = count_ms(spire, 11);
    EXPECT_TRUE(spire_sleeps == 4 * 5 + 1 || spire_sleeps == 3 * 4 + 1 || spire_sleeps == 2 * 3 + 1)
        << spire_sleeps;
    for (const EffectRun* run : {&mosaic, &lines, &spire}) EXPECT_TRUE(run->window == run->frame);
}

}  // namespace
}  // namespace gd
