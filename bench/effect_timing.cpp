#include "bench/effect_timing.h"

#include <time.h>

#include <algorithm>
#include <chrono>

#include "common/random15.h"
#include "effects/clock.h"
#include "effects/effect_table.h"
#include "effects/slide_stage.h"

namespace gd::bench {
namespace {

// A picture with detail everywhere, so no copy is trivially cheap.
class GradientSource : public FrameSource {
public:
    bool ComposeNext(SlideStage& stage) override {
        Bitmap& f = stage.frame();
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) f.set_pixel(x, y, Pixel((x * 7) & 0xFF) << 16 | Pixel((y * 3) & 0xFF) << 8 | 0x40);
        stage.placed = stage.client_rect();
        stage.start_time = stage.clock().Now();
        composed_at = std::chrono::steady_clock::now();
        cpu_at = ProcessCpuMs();
        return true;
    }
    std::chrono::steady_clock::time_point composed_at;
    double cpu_at = 0;
};

}  // namespace

double EffectTiming::run_s(int duration_ms) const { return std::max(wall_ms, double(duration_ms)) / 1e3; }

EffectTiming TimeEffect(int id, int w, int h, int duration_ms, double cap, Presenter& presenter, Bitmap window) {
    ShowSettings settings;
    settings.effect_duration = duration_ms;
    SystemClock clock;
    if (window.empty()) window = Bitmap(w, h, 0x00101010);
    SlideStage stage(settings, std::move(window), clock);
    GradientSource source;
    stage.set_frame_source(&source);
    stage.set_presenter(&presenter);
    stage.ResetStop();
    SeedRandom(uint32_t(id));

    Watchdog dog([&stage] { stage.RequestStop(); }, std::chrono::milliseconds(int64_t(cap * duration_ms)));
    RunTransition(stage, id);
    auto t1 = std::chrono::steady_clock::now();
    EffectTiming t;
    t.cpu_ms = ProcessCpuMs() - source.cpu_at;
    t.capped = dog.Finish();
    // D runs from the frame's start time, taken once the frame is composed; the frame is
    // composed inside the effect, so its cost counts against D as well.
    t.wall_ms = std::chrono::duration<double, std::milli>(t1 - source.composed_at).count();
    t.steps = stage.wait_calls();
    t.pixels = stage.draw_stats().pixels;
    return t;
}

}  // namespace gd::bench
