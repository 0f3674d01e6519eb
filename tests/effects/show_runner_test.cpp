#include "effects/show_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

#include "effects/effect_selection.h"
#include "effects/effect_table.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

class CountingSource : public testing::PatternFrameSource {
public:
    bool ComposeNext(SlideStage& stage) override {
        ++composed;
        return PatternFrameSource::ComposeNext(stage);
    }
    std::atomic<int> composed{0};
};

class WindowPresenter : public Presenter {
public:
    void Present(const Bitmap&, std::span<const Rect> dirty) override {
        std::lock_guard lock(mutex);
        last = {};
        for (const Rect& r : dirty) last = last.united(r);
        ++count;
    }
    bool IsVisible() const override { return visible; }
    std::mutex mutex;
    Rect last;
    int count = 0;
    bool visible = true;
};

struct Show {
    Show() : stage(settings, Bitmap(40, 30, 0x00FFFFFF), clock) {
        settings.effect_duration = 200;
        settings.picture_pause = 1;
        AddEffect(settings, 1);
        AddEffect(settings, 2);
        stage.set_frame_source(&source);
        stage.set_presenter(&presenter);
    }
    // Waits (in real time) until the show thread has composed `n` frames.
    bool WaitForFrames(int n) {
        for (int k = 0; k < 5000 && source.composed < n; ++k) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return source.composed >= n;
    }
    ShowSettings settings;
    FakeClock clock;
    SlideStage stage;
    CountingSource source;
    WindowPresenter presenter;
};

TEST(ShowRunner, PlaysUntilStoppedThenClearsTheWindowToBlack) {
    Show show;
    show.settings.background_color = 0x0000FF;  // cleared to black all the same
    ShowRunner runner(show.stage);
    runner.seed = 4;
    runner.Start();
    runner.Start();  // already running: no second thread
    ASSERT_TRUE(show.WaitForFrames(3));
    EXPECT_TRUE(runner.running());
    runner.Stop();
    EXPECT_FALSE(runner.running());
    EXPECT_TRUE(show.stage.IsStopRequested());
    EXPECT_TRUE(show.stage.window() == Bitmap(40, 30, 0));
    EXPECT_EQ(show.presenter.last, (Rect{0, 0, 40, 30}));
    // The effect position carries over a restart.
    int32_t position = show.settings.effect_position;
    EXPECT_NE(position, -1);
    int before = show.source.composed;
    runner.Start();
    ASSERT_TRUE(show.WaitForFrames(before + 1));
    runner.Stop();
}

TEST(ShowRunner, HiddenWindowIsNotCleared) {
    Show show;
    show.presenter.visible = false;
    ShowRunner runner(show.stage);
    runner.Start();
    ASSERT_TRUE(show.WaitForFrames(1));
    runner.Stop();
    EXPECT_FALSE(show.stage.window() == Bitmap(40, 30, 0));
}

TEST(ShowRunner, StopWithoutAThreadDoesNothing) {
    Show show;
    ShowRunner runner(show.stage);
    runner.Stop();
    EXPECT_EQ(show.presenter.count, 0);
    EXPECT_TRUE(show.stage.window() == Bitmap(40, 30, 0x00FFFFFF));
}

TEST(ShowLoop, WaitsThePicturePauseAfterEachEffectAndPollsTheStopFlag) {
    Show show;
    show.settings.picture_pause = 3;
    show.settings.effects.clear();  // every picture shown at once
    show.stage.ResetStop();
    std::vector<uint32_t> composed_at;
    struct Source : FrameSource {
        std::vector<uint32_t>* at;
        bool ComposeNext(SlideStage& stage) override {
            at->push_back(stage.clock().Now());
            stage.start_time = stage.clock().Now();
            return at->size() < 2;  // the second picture fails to load: the pause still follows
        }
    } source;
    source.at = &composed_at;
    show.stage.set_frame_source(&source);
    show.clock.on_sleep = [&](uint32_t now) {
        if (now >= 10000) show.stage.RequestStop();
    };
    RunShowLoop(show.stage, 100);
    ASSERT_GE(composed_at.size(), 3u);
    EXPECT_EQ(composed_at[1] - composed_at[0], 3000u);
    EXPECT_EQ(composed_at[2] - composed_at[1], 3000u);
    EXPECT_EQ(show.clock.Now(), 10000u);  // ended at the first poll after the stop
}

// Tries to compose at the given times of the clock; fails where `loads` says so. Asks
// for a stop after 100 tries, so a show that never sleeps still ends its test.
struct TimedSource : FrameSource {
    std::function<bool(size_t try_number)> loads;
    std::vector<uint32_t> at;
    bool ComposeNext(SlideStage& stage) override {
        at.push_back(stage.clock().Now());
        stage.start_time = stage.clock().Now();
        if (at.size() >= 100) stage.RequestStop();
        return loads(at.size());
    }
};

TEST(ShowLoop, WhenARoundOfPicturesAllFailToLoadItRetriesOnceASecondEvenWithoutAPause) {
    for (int32_t count : {0, 1, 3}) {
        SCOPED_TRACE(count);
        Show show;
        show.settings.picture_pause = 0;
        show.settings.picture_count = count;
        show.settings.effects.clear();
        TimedSource source;
        source.loads = [](size_t) { return false; };
        show.stage.set_frame_source(&source);
        show.stage.ResetStop();
        show.clock.on_sleep = [&](uint32_t now) {
            if (now >= 3000) show.stage.RequestStop();
        };
        RunShowLoop(show.stage, 100);
        // The first round goes through every picture at once; then one try a second.
        std::vector<uint32_t> expected(size_t(std::max(count, 1)), 0u);
        expected.insert(expected.end(), {1000, 2000});
        EXPECT_EQ(source.at, expected);
    }
}

TEST(ShowLoop, APictureThatFailsToLoadAmongGoodOnesIsSkippedAtOnce) {
    Show show;
    show.settings.picture_pause = 0;
    show.settings.picture_count = 3;
    show.settings.effects = {1};  // takes the effect duration, 200 ms
    TimedSource source;
    source.loads = [](size_t try_number) { return try_number % 3 != 2; };
    show.stage.set_frame_source(&source);
    show.stage.ResetStop();
    show.clock.on_sleep = [&](uint32_t now) {
        if (now >= 500) show.stage.RequestStop();
    };
    RunShowLoop(show.stage, 100);
    ASSERT_GE(source.at.size(), 4u);
    EXPECT_EQ(std::vector<uint32_t>(source.at.begin(), source.at.begin() + 4), (std::vector<uint32_t>{0, 200, 200, 400}));
}

TEST(ShowLoop, ADemonstrationPlaysItsOneEffectAndReportsEachTransition) {
    Show show;  // the selection holds effects 1 and 2
    show.settings.demo_mode = true;
    show.settings.demo_effect = DISPLAY_ONLY;  // shown at once: no sleeps of its own
    show.stage.ResetStop();
    std::vector<uint32_t> ends;
    show.stage.on_transition_end = [&] { ends.push_back(show.clock.Now()); };
    show.clock.on_sleep = [&](uint32_t now) {
        if (now >= 3000) show.stage.RequestStop();
    };
    RunShowLoop(show.stage, 10);
    // Never picked from the selection; each transition followed by the 1 s pause, polled
    // every 10 ms.
    EXPECT_EQ(show.settings.effect_position, -1);
    EXPECT_EQ(ends, (std::vector<uint32_t>{0, 1000, 2000}));
    EXPECT_EQ(show.clock.sleeps(), 300u);
    EXPECT_EQ(show.stage.window(), show.stage.frame()) << "the demonstration's effect drew the frame";
}

}  // namespace
}  // namespace gd
