#include <gtest/gtest.h>

#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::NewPixel;
using testing::OldPixel;
using testing::WaitCall;

// The period P of a Blinds run, read back from its step count (P + 1 steps).
int BlindsPeriod(const EffectRun& run) { return run.waits.empty() ? 0 : run.waits.front().n - 1; }

TEST(Blinds, PacesPPlusOneStepsAndEndsOnTheFrame) {
    std::vector<int> periods;
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        EffectRun run = testing::RunEffect(1, {.width = 45, .height = 7, .seed = seed});
        int p = BlindsPeriod(run);
        periods.push_back(p);
        ASSERT_TRUE(p == 10 || p == 20 || p == 30) << p;
        ASSERT_EQ(run.waits.size(), size_t(p + 1));
        for (int k = 1; k <= p + 1; ++k) EXPECT_EQ(run.waits[size_t(k - 1)], (WaitCall{k, p + 1}));
        EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0);
        EXPECT_EQ(run.elapsed_ms, 1000u);  // the last wait ends at the full duration
    }
    std::sort(periods.begin(), periods.end());
    EXPECT_NE(periods.front(), periods.back()) << "the period is drawn at random";
}

TEST(Blinds, EachStepRevealsOneOffsetInEveryBand) {
    for (int id : {1, 2}) {
        EffectRun run = testing::RunEffect(id, {.width = 53, .height = 41, .seed = 9, .keep_steps = true});
        int p = BlindsPeriod(run);
        ASSERT_GT(p, 0);
        // Step k reveals offset k - 2 of every band (offset -1 is the previous band's last
        // line), so after step k line v shows the new frame exactly when (v + 1) mod P is
        // at most k - 1.
        for (int k : {1, 2, p / 2, p + 1}) {
            const Bitmap& shown = run.steps[size_t(k - 1)];
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    int v = id == 1 ? x : y;
                    bool revealed = (v + 1) % p <= k - 1;
                    ASSERT_EQ(shown.pixel(x, y), revealed ? NewPixel(x, y) : OldPixel(x, y))
                        << "id " << id << " step " << k << " at " << x << "," << y;
                }
        }
    }
}

TEST(Blinds, WindowNarrowerThanThePeriodStillTakesEveryStep) {
    EffectRun run = testing::RunEffect(2, {.width = 3, .height = 4, .seed = 1});
    EXPECT_EQ(run.waits.size(), size_t(BlindsPeriod(run) + 1));
    EXPECT_TRUE(run.window == run.frame);
}

TEST(Blinds, DemonstrationSleepsItsFixedTimePerStepInsteadOfPacing) {
    EffectRun run = testing::RunEffect(1, {.width = 40, .height = 6, .seed = 3, .demo_mode = true});
    EXPECT_TRUE(run.waits.empty());
    EXPECT_TRUE(run.window == run.frame);
    // (10 s + 10) / P + 1 sleeps of 1 ms per step, s = 10: 12, 6 or 4 for P = 10, 20, 30.
    ASSERT_FALSE(run.sleeps.empty());
    for (uint32_t ms : run.sleeps) EXPECT_EQ(ms, 1u);
    size_t per_step = run.sleeps.size();
    EXPECT_TRUE(per_step == 11 * 12 || per_step == 21 * 6 || per_step == 31 * 4) << per_step;
}

TEST(Blinds, StopReturnsAtTheNextPollLeavingThePartialReveal) {
    EffectRun run = testing::RunEffect(1, {.width = 64, .height = 8, .seed = 2, .stop_after_wait = 3});
    EXPECT_EQ(run.waits.size(), 3u);
    int64_t hidden = testing::CountDifferent(run.window, run.frame);
    EXPECT_GT(hidden, 0);
    EXPECT_LT(hidden, 64 * 8);
}

}  // namespace
}  // namespace gd
