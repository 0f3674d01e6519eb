// Time-paced frames of the shows of several monitors: each show presents its cross-fade
// a frame every `shows` display refreshes, still from the old screen to the new frame
// exactly and on time; a show alone keeps one frame a refresh.
#include <gtest/gtest.h>

#include <vector>

#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/slide_stage.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

TEST(FrameInterval, ShowsOfSeveralMonitorsSpaceOutTheirCrossFadeFrames) {
    for (int shows : {1, 2, 3}) {
        ShowSettings settings;
        settings.effect_duration = 960;
        settings.frame_interval_ms = SlideStage::FrameIntervalForShows(shows);
        FakeClock clock(100);
        SlideStage stage(settings, Bitmap(8, 4, 0x00102030), clock);
        testing::PatternFrameSource source;
        stage.set_frame_source(&source);
        stage.ResetStop();
        std::vector<int> elapsed;
        stage.on_wait_step = [&](int, int i, int) { elapsed.push_back(i); };
        RunTransition(stage, 45);
        const int interval = int(SlideStage::kRefreshMs) * shows;
        EXPECT_NEAR(int(elapsed.size()), 960 / interval, 2) << shows;
        for (size_t k = 1; k < elapsed.size(); ++k) EXPECT_GE(elapsed[k] - elapsed[k - 1], interval) << shows;
        EXPECT_GE(elapsed.back(), 960 - interval) << "it ends on time";
        EXPECT_TRUE(stage.window() == stage.frame()) << shows;
    }
    EXPECT_EQ(SlideStage::FrameIntervalForShows(0), int32_t(SlideStage::kRefreshMs));
}

}  // namespace
}  // namespace gd
