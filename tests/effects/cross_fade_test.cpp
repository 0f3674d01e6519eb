// Effect 45, "Cross Fade": paced by time at the display's rate, from the old screen
// exactly to the new frame exactly, the mean of both half way.
#include <gtest/gtest.h>

#include "effects/effect_table.h"
#include "raster/blend.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::RunEffect;

constexpr int32_t kCrossFade = 45;

int Channel(Pixel p, int c) { return int((p >> (8 * c)) & 0xFF); }

TEST(CrossFade, IsEffect45WithItsStoredName) {
    EXPECT_EQ(EffectName(kCrossFade), "Cross Fade");
    EXPECT_EQ(kEffectCount, 45);
}

TEST(CrossFade, StartsOnTheOldScreenEndsOnTheNewFrameAndIsTheMeanHalfWay) {
    EffectRun run = RunEffect(kCrossFade, {.width = 24, .height = 10, .duration = 1024, .keep_steps = true});
    ASSERT_GE(run.steps.size(), 50u);
    EXPECT_TRUE(run.steps.front() == run.old_screen) << "the first frame shown is the old screen";
    EXPECT_TRUE(run.window == run.frame) << "the last is exactly the new frame";
    // The frame whose elapsed time is half the duration.
    size_t mid = 0;
    for (size_t k = 0; k < run.waits.size(); ++k)
        if (run.waits[k].i * 2 <= run.waits[k].n) mid = k;
    ASSERT_EQ(run.waits[mid].i * 2, run.waits[mid].n) << "the clock lands on the middle at 16 ms a frame";
    const Bitmap& half = run.steps[mid];
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 24; ++x)
            for (int c = 0; c < 3; ++c) {
                const int mean2 = Channel(run.old_screen.pixel(x, y), c) + Channel(run.frame.pixel(x, y), c);
                EXPECT_NEAR(Channel(half.pixel(x, y), c) * 2, mean2, 2) << x << "," << y;
            }
}

TEST(CrossFade, IsPacedByTimeAtMostOneFrameARefreshAndEndsOnTime) {
    for (int32_t duration : {160, 1000, 2500}) {
        EffectRun run = RunEffect(kCrossFade, {.width = 8, .height = 4, .duration = duration});
        // One frame per refresh interval over the duration, whatever the size.
        const int frames = int(run.waits.size());
        EXPECT_NEAR(frames, duration / int(SlideStage::kRefreshMs), 2) << duration;
        for (size_t k = 1; k < run.waits.size(); ++k)
            EXPECT_GE(run.waits[k].i - run.waits[k - 1].i, int(SlideStage::kRefreshMs)) << "no frame before its refresh";
        EXPECT_GE(run.elapsed_ms, uint32_t(duration));
        EXPECT_LT(run.elapsed_ms, uint32_t(duration) + SlideStage::kRefreshMs + 1);
        EXPECT_LE(run.presents, frames + 1);
        EXPECT_TRUE(run.window == run.frame);
    }
}

TEST(CrossFade, NoDurationShowsTheNewFrameAtOnceAndAStopLeavesThePartlyFadedScreen) {
    EffectRun at_once = RunEffect(kCrossFade, {.width = 8, .height = 4, .duration = 0});
    EXPECT_TRUE(at_once.waits.empty());
    EXPECT_TRUE(at_once.window == at_once.frame);

    EffectRun stopped = RunEffect(kCrossFade, {.width = 8, .height = 4, .duration = 1000, .stop_after_wait = 10});
    EXPECT_EQ(stopped.waits.size(), 10u);
    EXPECT_FALSE(stopped.window == stopped.frame);
    EXPECT_FALSE(stopped.window == stopped.old_screen);
}

TEST(CrossFade, TheDemonstrationFadesInFixedSteps) {
    EffectRun run = RunEffect(kCrossFade, {.width = 8, .height = 4, .demo_mode = true});
    ASSERT_EQ(run.sleeps.size(), 64u);
    for (uint32_t ms : run.sleeps) EXPECT_EQ(ms, 11u);  // s + 1 with the demo speed s = 10
    EXPECT_TRUE(run.window == run.frame);
}

}  // namespace
}  // namespace gd
