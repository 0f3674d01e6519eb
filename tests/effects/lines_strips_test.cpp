#include <gtest/gtest.h>

#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"
#include "tests/effects/reveal_check.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::NewPixel;
using testing::OldPixel;
using testing::RevealMismatch;
using testing::ShowsNew;
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


// Expects the pacing calls (1, n), (2, n), ..., (n, n).
void ExpectStepsOneToN(const EffectRun& run, int n) {
    ASSERT_EQ(run.waits.size(), size_t(n));
    for (int i = 1; i <= n; ++i) ASSERT_EQ(run.waits[size_t(i - 1)], (WaitCall{i, n}));
}

TEST(Grid, EachStepFillsOneMoreRowAndColumnOfEveryCell) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        EffectRun run = testing::RunEffect(3, {.width = 67, .height = 45, .seed = seed, .keep_steps = true});
        int p = BlindsPeriod(run);
        ASSERT_TRUE(p == 10 || p == 20 || p == 30) << p;
        ExpectStepsOneToN(run, p + 1);
        // Offsets -1 .. k-2 of every cell's rows and columns after step k.
        for (int k : {1, 2, p / 2, p + 1})
            ASSERT_EQ(RevealMismatch(run.steps[size_t(k - 1)],
                                     [&](int x, int y) { return (x + 1) % p <= k - 1 || (y + 1) % p <= k - 1; }),
                      "")
                << "P " << p << " step " << k;
    }
}

TEST(SlidingJaws, EvenBandsFillFromOneSideAndOddBandsFromTheOther) {
    std::vector<int> bands;
    for (int id : {4, 5}) {
        for (uint32_t seed : {1u, 2u, 3u, 4u}) {
            EffectRun run = testing::RunEffect(id, {.width = 75, .height = 71, .seed = seed, .keep_steps = true});
            const bool horizontal = id == 4;
            const int length = horizontal ? 75 : 71;
            ExpectStepsOneToN(run, length + 1);
            // The band thickness: where the first line stops showing the new picture.
            int b = 1;
            while (b < 75 && ShowsNew(run.steps[0], horizontal ? 0 : b, horizontal ? b : 0)) ++b;
            ASSERT_TRUE(b == 10 || b == 20 || b == 30) << b;
            bands.push_back(b);
            for (int step : {1, 2, length / 3, length, length + 1}) {
                ASSERT_EQ(RevealMismatch(run.steps[size_t(step - 1)],
                                         [&](int x, int y) {
                                             int along = horizontal ? x : y, across = horizontal ? y : x;
                                             bool from_start = (across / b) % 2 == 0;
                                             return from_start ? along <= step - 1 : along >= length - (step - 1);
                                         }),
                          "")
                    << "id " << id << " B " << b << " step " << step;
            }
        }
    }
    std::sort(bands.begin(), bands.end());
    EXPECT_NE(bands.front(), bands.back()) << "the band thickness is drawn at random";
}

TEST(Roll, OneEdgeSweepsFromARandomSide) {
    bool seen[2] = {false, false};
    for (int id : {7, 8}) {
        for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
            EffectRun run = testing::RunEffect(id, {.width = 31, .height = 23, .seed = seed, .keep_steps = true});
            const int length = id == 7 ? 31 : 23;
            ExpectStepsOneToN(run, length + 1);
            // From the far side the first line lies outside the window: step 1 shows nothing.
            const bool far = !ShowsNew(run.steps[0], 0, 0);
            seen[far] = true;
            for (int step : {1, 2, 12, length + 1}) {
                ASSERT_EQ(RevealMismatch(run.steps[size_t(step - 1)],
                                         [&](int x, int y) {
                                             int v = id == 7 ? x : y;
                                             return far ? v >= length - (step - 1) : v <= step - 1;
                                         }),
                          "")
                    << "id " << id << (far ? " from the far side" : " from the near side") << " step " << step;
            }
        }
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

TEST(Slide, TwoLinesPerStepSymmetricAboutTheCentre) {
    bool seen[2] = {false, false};
    for (int id : {9, 10}) {
        for (int length : {30, 31}) {
            for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
                const int w = id == 9 ? length : 7, h = id == 9 ? 7 : length;
                EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
                const int m = length / 2;
                ExpectStepsOneToN(run, m + 1);
                const bool inward = ShowsNew(run.steps[0], 0, 0);
                seen[inward] = true;
                for (int step : {1, 2, m / 2, m + 1}) {
                    const int i = step - 1;
                    ASSERT_EQ(RevealMismatch(run.steps[size_t(i)],
                                             [&](int x, int y) {
                                                 int v = id == 9 ? x : y;
                                                 return inward ? v <= i || v >= length - i : v >= m - i && v <= m + i;
                                             }),
                              "")
                        << "id " << id << " length " << length << (inward ? " inward" : " outward") << " step " << step;
                }
            }
        }
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

TEST(Veil, EvenStripsComeFromTheStartAndOddStripsFromTheLastOddStrip) {
    std::vector<int> widths;
    for (int id : {15, 16}) {
        // 48 is a multiple of every strip width with an even strip count; 50 gives odd ones.
        for (int length : {48, 50}) {
            for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
                const int w = id == 15 ? length : 5, h = id == 15 ? 5 : length;
                EffectRun run = testing::RunEffect(id, {.width = w, .height = h, .seed = seed, .keep_steps = true});
                // The strip width: how far the first even strip reaches after step 1.
                int s = 0;
                while (ShowsNew(run.steps[0], id == 15 ? s : 0, id == 15 ? 0 : s)) ++s;
                ASSERT_TRUE(s >= 1 && s <= (id == 15 ? 4 : 3)) << s;
                widths.push_back(s);
                const int q = length / s, last_odd = q % 2 ? q : q - 1;
                ASSERT_EQ(run.waits.size(), size_t(length / (2 * s) + 1));
                for (size_t j = 0; j < run.waits.size(); ++j)
                    ASSERT_EQ(run.waits[j], (WaitCall{int(j) * 2 * s + s + 1, length + 1}));
                for (size_t j = 0; j < run.steps.size(); ++j) {
                    ASSERT_EQ(RevealMismatch(run.steps[j],
                                             [&](int x, int y) {
                                                 int strip = (id == 15 ? x : y) / s;
                                                 return strip % 2 == 0 ? strip <= 2 * int(j)
                                                                       : strip >= last_odd - 2 * int(j);
                                             }),
                              "")
                        << "id " << id << " length " << length << " S " << s << " step " << j + 1;
                }
            }
        }
    }
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(widths.front(), 1);
    EXPECT_GE(widths.back(), 3);
}

TEST(LinesAndStrips, StopMidEffectReturnsWithinOneStep) {
    for (int id : {1, 2, 3, 4, 5, 7, 8, 9, 10, 15, 16}) {
        EffectRun run = testing::RunEffect(id, {.width = 40, .height = 40, .seed = 1, .stop_after_wait = 2});
        EXPECT_EQ(run.waits.size(), 2u) << "id " << id;
        EXPECT_GT(testing::CountDifferent(run.window, run.frame), 0) << "id " << id;
    }
}

// The demonstration's sleeps of one run: how many, and each one's length.
void ExpectDemoSleeps(const EffectRun& run, size_t count, uint32_t ms, const char* what) {
    EXPECT_TRUE(run.waits.empty()) << what;
    EXPECT_TRUE(run.window == run.frame) << what;
    EXPECT_EQ(run.sleeps.size(), count) << what;
    for (uint32_t sleep : run.sleeps) ASSERT_EQ(sleep, ms) << what;
}

TEST(LinesAndStrips, DemonstrationSleepsFollowEachEffectsRule) {
    const testing::EffectRunOptions demo{.width = 41, .height = 29, .seed = 2, .demo_mode = true};
    auto run_demo = [&](int id) { return testing::RunEffect(id, demo); };
    // s = 10. Sliding Jaws: every 4th step (counter i = 0..L), 11 ms.
    ExpectDemoSleeps(run_demo(4), 41 / 4 + 1, 11, "Sliding Jaws Horizontal");
    ExpectDemoSleeps(run_demo(5), 29 / 4 + 1, 11, "Sliding Jaws Vertical");
    // Roll: every 2nd of i = 0..L; Slide: every 2nd of i = 0..L/2.
    ExpectDemoSleeps(run_demo(7), 41 / 2 + 1, 11, "Roll Horizontal");
    ExpectDemoSleeps(run_demo(8), 29 / 2 + 1, 11, "Roll Vertical");
    ExpectDemoSleeps(run_demo(9), 20 / 2 + 1, 11, "Slide Center");
    ExpectDemoSleeps(run_demo(10), 14 / 2 + 1, 11, "Slide Middle");
    // Grid: (10 s + 10) / P + 1 sleeps of 1 ms per step, like Blinds.
    size_t grid = run_demo(3).sleeps.size();
    EXPECT_TRUE(grid == 11 * 12 || grid == 21 * 6 || grid == 31 * 4) << grid;
    // Veil: one sleep of (S + 1) (s + 1) / 2 ms per step.
    for (int id : {15, 16}) {
        EffectRun run = run_demo(id);
        ASSERT_FALSE(run.sleeps.empty());
        uint32_t ms = run.sleeps.front();
        int s = 1;
        while (s < 4 && uint32_t((s + 1) * 11 / 2) != ms) ++s;
        ASSERT_EQ(uint32_t((s + 1) * 11 / 2), ms) << "id " << id << ": no strip width sleeps this long";
        ExpectDemoSleeps(run, size_t((id == 15 ? 41 : 29) / (2 * s) + 1), ms, "Veil");
    }
}

}  // namespace
}  // namespace gd
