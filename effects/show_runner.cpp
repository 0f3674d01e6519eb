#include "effects/show_runner.h"

#include "common/random15.h"
#include "effects/effect_selection.h"
#include "effects/effect_table.h"

namespace gd {

void RunShowLoop(SlideStage& stage, uint32_t pause_poll_ms) {
    Clock& clock = stage.clock();
    ShowSettings& settings = stage.settings();
    while (!stage.IsStopRequested()) {
        RunTransition(stage, settings.demo_mode ? settings.demo_effect : PickNextEffect(settings));
        if (stage.on_transition_end) stage.on_transition_end();
        // The picture pause, in 64 bits so a huge pause cannot wrap to a short one.
        const int64_t pause_ms = int64_t(settings.picture_pause) * 1000;
        const uint32_t t0 = clock.Now();
        for (;;) {
            if (stage.IsStopRequested()) return;
            if (int64_t(uint32_t(clock.Now() - t0)) >= pause_ms) break;
            clock.Sleep(pause_poll_ms);
        }
    }
}

void ShowRunner::Start() {
    if (running()) return;
    if (thread_.joinable()) thread_.join();
    stage_.ResetStop();
    finished_ = false;
    thread_ = std::thread([this, seed = seed, poll = pause_poll_ms] {
        if (seed)
            SeedRandom(*seed);
        else
            SeedRandomFromTime();
        RunShowLoop(stage_, poll);
        finished_ = true;
    });
}

void ShowRunner::Stop() {
    if (!thread_.joinable()) return;
    stage_.RequestStop();
    thread_.join();
    Presenter* presenter = stage_.presenter();
    if (presenter && !presenter->IsVisible()) return;
    stage_.ClearClip();
    stage_.FillWindow(stage_.client_rect(), 0);
    stage_.Present();
}

}  // namespace gd
