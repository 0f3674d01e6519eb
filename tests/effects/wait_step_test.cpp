#include <gtest/gtest.h>

#include "effects/clock.h"
#include "effects/slide_stage.h"

namespace gd {
namespace {

class RecordingPresenter : public Presenter {
public:
    explicit RecordingPresenter(FakeClock& clock) : clock(clock) {}
    void Present(const Bitmap&, std::span<const Rect> dirty) override {
        rects.emplace_back(dirty.begin(), dirty.end());
        times.push_back(clock.Now());
        clock.Advance(cost_ms);
    }
    FakeClock& clock;
    uint32_t cost_ms = 0;  // how long presenting takes
    std::vector<std::vector<Rect>> rects;
    std::vector<uint32_t> times;
};

struct PacedStage {
    explicit PacedStage(int32_t duration, uint32_t start = 5000) : clock(start), stage(settings, Bitmap(100, 40), clock) {
        settings.effect_duration = duration;
        stage.start_time = start;
        stage.set_presenter(&presenter);
        stage.ResetStop();
    }
    uint32_t Elapsed() const { return clock.Now() - stage.start_time; }
    ShowSettings settings;
    FakeClock clock;
    SlideStage stage;
    RecordingPresenter presenter{clock};
};

TEST(WaitStep, WaitsUntilItsShareOfTheDuration) {
    PacedStage p(1000);
    p.stage.WaitStep(0, 3);
    EXPECT_EQ(p.Elapsed(), 0u);
    p.stage.WaitStep(1, 3);
    EXPECT_EQ(p.Elapsed(), 333u);  // (1 x 1000) / 3, truncated
    p.stage.WaitStep(2, 3);
    EXPECT_EQ(p.Elapsed(), 666u);
    p.stage.WaitStep(3, 3);
    EXPECT_EQ(p.Elapsed(), 1000u);
    EXPECT_EQ(p.stage.wait_calls(), 4);
}

TEST(WaitStep, PresentsAtMostOncePerRefreshIntervalEvenWhenLate) {
    PacedStage p(1000);
    p.stage.FillWindow({0, 0, 2, 2}, 7);
    p.clock.Advance(800);
    p.stage.WaitStep(1, 2);  // late: returns at once, yet shows the step
    EXPECT_EQ(p.Elapsed(), 800u);
    ASSERT_EQ(p.presenter.rects.size(), 1u);
    EXPECT_EQ(p.presenter.rects[0], (std::vector<Rect>{{0, 0, 32, 8}}));  // its tile
    p.stage.FillWindow({40, 20, 42, 22}, 7);
    p.clock.Advance(10);
    p.stage.WaitStep(1, 2);  // late again, but the display has not refreshed since
    EXPECT_EQ(p.presenter.rects.size(), 1u);
    p.stage.WaitStep(2, 2);  // ahead: presented while waiting, once the interval is over
    EXPECT_EQ(p.Elapsed(), 1000u);
    ASSERT_EQ(p.presenter.rects.size(), 2u);
    EXPECT_EQ(p.presenter.rects[1], (std::vector<Rect>{{32, 16, 64, 24}}));
    EXPECT_EQ(p.presenter.times[1] - p.presenter.times[0], SlideStage::kRefreshMs);
}

// A present that takes 10 ms (a large window) must not push the next one back to 26 ms:
// the refresh interval runs from the start of a present.
TEST(WaitStep, ThePresentsOwnTimeDoesNotDelayTheNext) {
    PacedStage p(1000);
    p.presenter.cost_ms = 10;
    for (int i = 1; i <= 5; ++i) {
        p.stage.FillWindow({i, 0, i + 1, 1}, 7);
        p.stage.WaitStep(i, 50);  // a step every 20 ms
    }
    EXPECT_EQ(p.presenter.times,
              (std::vector<uint32_t>{5000, 5020, 5040, 5060, 5080}));
}

TEST(WaitStep, NothingDrawnNothingPresented) {
    PacedStage p(1000);
    p.stage.WaitStep(1, 1);
    EXPECT_TRUE(p.presenter.rects.empty());
}

TEST(WaitStep, ZeroDurationNeverSleeps) {
    PacedStage p(0);
    for (int i = 0; i <= 50; ++i) p.stage.WaitStep(i, 50);
    EXPECT_EQ(p.clock.sleeps(), 0u);
}

TEST(WaitStep, ZeroStepCountDoesNotDivideByZero) {
    PacedStage p(1000);
    p.stage.WaitStep(0, 0);
    EXPECT_EQ(p.Elapsed(), 0u);
    p.stage.WaitStep(1, 0);
    EXPECT_EQ(p.Elapsed(), 1000u);
}

// Regression: i x D in 32 bits overflows for long durations with many steps (here
// 3000 x 1,000,000 ms), which made the wait return at once or hang.
TEST(WaitStep, LongDurationsOnLargeWindowsDoNotOverflow) {
    PacedStage p(1000000);
    p.clock.Advance(499999);
    p.stage.WaitStep(1500, 3000);
    EXPECT_EQ(p.Elapsed(), 500000u);
}

TEST(WaitStep, SurvivesTheTickCounterWrapping) {
    PacedStage p(100, 0xFFFFFFF0u);
    p.stage.WaitStep(1, 1);
    EXPECT_EQ(p.Elapsed(), 100u);
    EXPECT_LT(p.clock.Now(), 0x100u);  // wrapped
}

TEST(WaitStep, StopEndsTheWaitAtTheNextPoll) {
    PacedStage p(10000);
    p.clock.on_sleep = [&](uint32_t) {
        if (p.Elapsed() == 40) p.stage.RequestStop();
    };
    p.stage.WaitStep(1, 1);
    EXPECT_EQ(p.Elapsed(), 40u);
    EXPECT_TRUE(p.stage.IsStopRequested());
}

TEST(WaitStep, ReportsEveryCallToItsObserver) {
    PacedStage p(0);
    std::vector<std::tuple<int, int, int>> calls;
    p.stage.on_wait_step = [&](int call, int i, int n) { calls.emplace_back(call, i, n); };
    p.stage.WaitStep(0, 5);
    p.stage.WaitStep(3, 0);
    EXPECT_EQ(calls, (std::vector<std::tuple<int, int, int>>{{1, 0, 5}, {2, 3, 0}}));
}

}  // namespace
}  // namespace gd
