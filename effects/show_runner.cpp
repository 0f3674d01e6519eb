#include "effects/show_runner.h"

#include <algorithm>

#include "common/random15.h"
#include "effects/effect_selection.h"
#include "effects/effect_table.h"

namespace gd {

namespace {

// Once a whole round of pictures has failed to load (a damaged screensaver, or one
// without pictures), the show waits at least this long before each further try, even
// with no picture pause: otherwise it would retry as fast as a core can fail a decode.
constexpr int64_t kRetryWhenNothingShownMs = 1000;

int64_t PauseAfterTransition(const ShowSettings& settings, int failed_in_a_row) {
    // In 64 bits, so a huge pause cannot wrap to a short one.
    int64_t pause_ms = int64_t(settings.picture_pause) * 1000;
    if (failed_in_a_row >= std::max(settings.picture_count, 1)) pause_ms = std::max(pause_ms, kRetryWhenNothingShownMs);
    return pause_ms;
}

}  // namespace

void RunShowLoop(SlideStage& stage, uint32_t pause_poll_ms) {
    Clock& clock = stage.clock();
    ShowSettings& settings = stage.settings();
    int failed_in_a_row = 0;
    while (!stage.IsStopRequested()) {
        const uint64_t composed_before = stage.frames_composed();
        RunTransition(stage, settings.demo_mode ? settings.demo_effect : PickNextEffect(settings));
        if (stage.on_transition_end) stage.on_transition_end();
        failed_in_a_row = stage.frames_composed() == composed_before ? failed_in_a_row + 1 : 0;
        const int64_t pause_ms = PauseAfterTransition(settings, failed_in_a_row);
        // With pan and zoom the picture just shown drifts through the pause, a frame a
        // display refresh; the next transition starts from its last frame.
        bool drifting = settings.pan_zoom && !settings.demo_mode && failed_in_a_row == 0;
        const uint32_t t0 = clock.Now();
        for (;;) {
            if (stage.IsStopRequested()) return;
            const int64_t elapsed = int64_t(uint32_t(clock.Now() - t0));
            if (elapsed >= pause_ms) break;
            // The drift of the moment the frame reaches the screen, while that is in the pause.
            const int64_t at = int64_t(uint32_t(stage.NextFrameTime() - t0));
            if (drifting && at < pause_ms) {
                drifting = stage.DriftFrame(double(at) / double(pause_ms), int(at), int(pause_ms));
                if (drifting) continue;
            }
            clock.Sleep(pause_poll_ms);
        }
    }
}

void ShowRunner::Start(std::shared_ptr<void> keep_alive) {
    if (running()) return;
    if (thread_.joinable()) thread_.join();
    stage_.ResetStop();
    {
        std::lock_guard lock(mutex_);
        finished_ = false;
    }
    thread_ = std::thread([this, seed = seed, poll = pause_poll_ms, keep_alive = std::move(keep_alive)] {
        if (seed)
            SeedRandom(*seed);
        else
            SeedRandomFromTime();
        RunShowLoop(stage_, poll);
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        ended_.notify_all();
        // keep_alive goes with the thread's state, after the last use of this runner.
    });
}

bool ShowRunner::running() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable() && !finished_;
}

void ShowRunner::Stop() {
    if (!thread_.joinable()) return;
    stage_.RequestStop();
    thread_.join();
    ClearWindow();
}

bool ShowRunner::StopWithin(uint32_t ms) {
    if (!thread_.joinable()) return true;
    stage_.RequestStop();
    bool ended;
    {
        std::unique_lock lock(mutex_);
        ended = ended_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished_; });
    }
    if (!ended) {
        thread_.detach();
        return false;
    }
    thread_.join();
    ClearWindow();
    return true;
}

void ShowRunner::ClearWindow() {
    Presenter* presenter = stage_.presenter();
    if (presenter && !presenter->IsVisible()) return;
    stage_.ClearClip();
    stage_.FillWindow(stage_.client_rect(), 0);
    stage_.Present();
}

}  // namespace gd
