// The stage queues drawing and drops what a later copy overwrites before anyone sees it.
// Here every effect runs twice, once drawing each operation at once (the reference) and
// once queued, with the same fake clock history; the screens must agree at every
// present and at every pacing point, and the presents must keep the refresh interval.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/slide_stage.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

// Keeps its own screen by copying only the dirty rectangles, as a window does, so a
// dirty area that misses a change shows as a difference.
class ScreenPresenter : public Presenter {
public:
    ScreenPresenter(const Bitmap& old_screen, FakeClock& clock, uint32_t cost_ms)
        : screen(old_screen), clock_(clock), cost_ms_(cost_ms) {}
    void Present(const Bitmap& window, std::span<const Rect> dirty) override {
        for (const Rect& d : dirty) {
            Rect r = d.intersected(window.rect());
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) screen.set_pixel(x, y, window.pixel(x, y));
        }
        shown.push_back(screen);
        times.push_back(clock_.Now());
        clock_.Advance(cost_ms_);  // presenting takes time, so some steps start late
    }
    Bitmap screen;
    std::vector<Bitmap> shown;
    std::vector<uint32_t> times;

private:
    FakeClock& clock_;
    uint32_t cost_ms_;
};

struct Case {
    int width;
    int height;
    uint32_t seed;
    int32_t duration;
    bool watch_steps;  // observe every pacing point (which flushes the queue there)
};

struct Outcome {
    std::vector<Bitmap> shown;
    std::vector<uint32_t> present_times;
    std::vector<Bitmap> steps;
    Bitmap window;
    DrawStats stats;
};

Outcome Play(int32_t id, const Case& c, bool immediate) {
    ShowSettings settings;
    settings.effect_duration = c.duration;
    FakeClock clock(1000);
    Bitmap old_screen(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) old_screen.set_pixel(x, y, testing::OldPixel(x, y));
    SlideStage stage(settings, old_screen, clock);
    stage.set_immediate_drawing(immediate);
    testing::PatternFrameSource source;
    ScreenPresenter presenter(old_screen, clock, 3);
    stage.set_frame_source(&source);
    stage.set_presenter(&presenter);
    stage.ResetStop();
    Outcome out;
    if (c.watch_steps)
        stage.on_wait_step = [&](int call, int, int) {
            out.steps.push_back(stage.window());
            clock.Advance(uint32_t(call % 4) * 5);  // an uneven drawing cost per step
        };
    SeedRandom(c.seed);
    RunTransition(stage, id);
    out.shown = std::move(presenter.shown);
    out.present_times = std::move(presenter.times);
    out.window = stage.window();
    out.stats = stage.draw_stats();
    return out;
}

const Case kCases[] = {
    {1, 1, 1, 300, true},    {7, 5, 2, 200, false},  {23, 41, 3, 500, true},
    {64, 48, 4, 150, false}, {97, 31, 5, 700, true}, {50, 50, 6, 90, false},
};

TEST(DeferredDrawing, EveryPresentAndStepShowsWhatImmediateDrawingShows) {
    for (int32_t id = 1; id <= kEffectCount; ++id) {
        for (const Case& c : kCases) {
            std::string what = std::string(EffectName(id)) + " " + std::to_string(c.width) + "x" +
                               std::to_string(c.height) + " seed " + std::to_string(c.seed);
            Outcome ref = Play(id, c, true);
            Outcome got = Play(id, c, false);
            ASSERT_EQ(got.present_times, ref.present_times) << what;
            ASSERT_EQ(got.shown.size(), ref.shown.size()) << what;
            for (size_t k = 0; k < ref.shown.size(); ++k) ASSERT_TRUE(got.shown[k] == ref.shown[k]) << what << " present " << k;
            ASSERT_EQ(got.steps.size(), ref.steps.size()) << what;
            for (size_t k = 0; k < ref.steps.size(); ++k) ASSERT_TRUE(got.steps[k] == ref.steps[k]) << what << " step " << k;
            ASSERT_TRUE(got.window == ref.window) << what;
            ASSERT_FALSE(ref.shown.empty()) << what;
            EXPECT_TRUE(got.shown.back() == got.window) << what << ": the last present shows the end";
        }
    }
}

TEST(DeferredDrawing, PresentsKeepTheRefreshIntervalExceptTheLast) {
    for (int32_t id = 1; id <= kEffectCount; ++id) {
        for (const Case& c : kCases) {
            Outcome got = Play(id, c, false);
            for (size_t k = 1; k + 1 < got.present_times.size(); ++k)
                ASSERT_GE(got.present_times[k] - got.present_times[k - 1], SlideStage::kRefreshMs)
                    << EffectName(id) << " " << c.width << "x" << c.height << " present " << k;
        }
    }
}

// The moves copy the whole moving part again at every step; between two presents only
// the last of those copies may be drawn.
TEST(DeferredDrawing, MovesDrawOnlyWhatTheNextPresentShows) {
    const Case c{120, 80, 1, 100, false};
    for (int32_t id : {37, 38, 39, 40, 41, 42}) {
        Outcome ref = Play(id, c, true);
        Outcome got = Play(id, c, false);
        EXPECT_GT(got.stats.skipped, 0) << EffectName(id);
        EXPECT_LT(got.stats.pixels * 3, ref.stats.pixels) << EffectName(id);
        EXPECT_TRUE(got.window == ref.window) << EffectName(id);
    }
}

TEST(DeferredDrawing, ClippedCopiesAreNeverDroppedAndNeverHideEarlierOnes) {
    ShowSettings settings;
    FakeClock clock;
    SlideStage stage(settings, Bitmap(6, 1), clock);
    for (int x = 0; x < 6; ++x) stage.frame().set_pixel(x, 0, testing::NewPixel(x, 0));
    stage.FillWindow({0, 0, 6, 1}, 1);
    stage.SetClip(Region::FromRect({2, 0, 4, 1}));
    stage.Copy(0, 0, 6, 1);  // through the clip: columns 2 and 3 only
    stage.ClearClip();
    stage.Copy(1, 0, 1, 1);  // unclipped but smaller than the fill: the fill stays
    const Bitmap& w = stage.window();
    EXPECT_EQ(w.pixel(0, 0), 1u);
    EXPECT_EQ(w.pixel(1, 0), testing::NewPixel(1, 0));
    EXPECT_EQ(w.pixel(2, 0), testing::NewPixel(2, 0));
    EXPECT_EQ(w.pixel(3, 0), testing::NewPixel(3, 0));
    EXPECT_EQ(w.pixel(4, 0), 1u);
    EXPECT_EQ(stage.draw_stats().skipped, 0);
}

}  // namespace
}  // namespace gd
