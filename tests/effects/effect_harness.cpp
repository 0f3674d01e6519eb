#include "tests/effects/effect_harness.h"

#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "raster/presenter.h"

namespace gd::testing {
namespace {

class CountingPresenter : public Presenter {
public:
    void Present(const Bitmap&, std::span<const Rect>) override { ++count; }
    int count = 0;
};

}  // namespace

Pixel OldPixel(int x, int y) { return 0x00400000u | (uint32_t(y & 0xFFF) << 12) | uint32_t(x & 0xFFF); }
Pixel NewPixel(int x, int y) { return 0x00800000u | (uint32_t(y & 0xFFF) << 12) | uint32_t(x & 0xFFF); }

bool PatternFrameSource::ComposeNext(SlideStage& stage) {
    Bitmap& frame = stage.frame();
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) frame.set_pixel(x, y, NewPixel(x, y));
    stage.placed = placed.is_empty() ? stage.client_rect() : placed;
    stage.start_time = stage.clock().Now();
    return true;
}

EffectRun RunEffect(int32_t id, const EffectRunOptions& options) {
    ShowSettings settings;
    settings.effect_duration = options.duration;
    settings.demo_mode = options.demo_mode;
    FakeClock clock(1000);
    EffectRun run;
    uint32_t last_sleep_end = clock.Now();
    clock.on_sleep = [&](uint32_t now) {
        run.sleeps.push_back(now - last_sleep_end);
        last_sleep_end = now;
    };
    Bitmap window(options.width, options.height);
    for (int y = 0; y < options.height; ++y)
        for (int x = 0; x < options.width; ++x) window.set_pixel(x, y, OldPixel(x, y));
    SlideStage stage(settings, window, clock);
    PatternFrameSource source;
    source.placed = options.placed;
    CountingPresenter presenter;
    stage.set_frame_source(&source);
    stage.set_presenter(&presenter);
    stage.ResetStop();

    run.old_screen = window;
    stage.on_wait_step = [&](int call, int i, int n) {
        run.waits.push_back({i, n});
        if (options.keep_steps) run.steps.push_back(stage.window());
        if (options.on_wait) options.on_wait(stage, call);
        if (call == options.stop_after_wait) stage.RequestStop();
    };
    SeedRandom(options.seed);
    RunTransition(stage, id);
    run.frame = stage.frame();
    run.window = stage.window();
    run.elapsed_ms = clock.Now() - stage.start_time;
    run.presents = presenter.count;
    return run;
}

int64_t CountDifferent(const Bitmap& window, const Bitmap& frame) {
    int64_t n = 0;
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x) n += window.pixel(x, y) != frame.pixel(x, y);
    return n;
}

}  // namespace gd::testing
