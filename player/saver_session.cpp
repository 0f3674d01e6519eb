#include "player/saver_session.h"

namespace gd {

// The music's one-shot timer as a session timer of the window.
class SaverSession::PrepareTimer final : public OneShotTimer {
public:
    explicit PrepareTimer(SessionWindow& window) : window_(window) {}
    void Arm(uint32_t ms) override { window_.SetTimer(SessionTimer::kMusicPrepare, ms); }
    void Disarm() override { window_.KillTimer(SessionTimer::kMusicPrepare); }

private:
    SessionWindow& window_;
};

SaverSession::SaverSession(SessionWindow& window, SessionShow* show, std::unique_ptr<SessionMusic> music,
                           ExitRule exit_rule, SessionPlan plan)
    : window_(window),
      show_(show),
      music_(std::move(music)),
      prepare_timer_(std::make_unique<PrepareTimer>(window)),
      exit_rule_(std::move(exit_rule)),
      plan_(plan) {
    if (!music_) plan_.music = false;
}

SaverSession::~SaverSession() { OnWindowDestroyed(); }

void SaverSession::Start() {
    if (show_) {
        show_pending_ = true;
        if (plan_.show_waits_for_music && plan_.music) {
            // Started from the music's tick once the first track plays.
        } else if (plan_.show_start_ms == 0) {
            StartShow();
        } else {
            window_.SetTimer(SessionTimer::kShowStart, plan_.show_start_ms);
        }
    }
    if (plan_.music) {
        if (plan_.music_start_ms == 0) {
            OnTimer(SessionTimer::kMusicStart);
        } else {
            window_.SetTimer(SessionTimer::kMusicStart, plan_.music_start_ms);
        }
    }
}

void SaverSession::StartShow() {
    show_pending_ = false;
    if (show_ && !closing_) show_->Start();
}

bool SaverSession::OnTimer(SessionTimer timer) {
    switch (timer) {
    case SessionTimer::kShowStart:
        window_.KillTimer(timer);
        if (show_pending_ && !closing_) StartShow();
        return true;
    case SessionTimer::kMusicStart:
        window_.KillTimer(timer);
        if (closing_ || !plan_.music) return true;
        music_->Begin(*prepare_timer_);
        window_.SetTimer(SessionTimer::kMusicTick, kMusicTickMs);
        return true;
    case SessionTimer::kMusicTick:
        if (closing_ || !plan_.music) return true;
        if (music_->Tick() && show_pending_ && plan_.show_waits_for_music && !show_start_scheduled_) {
            show_start_scheduled_ = true;
            window_.SetTimer(SessionTimer::kShowStart, kHeldShowDelayMs);
        }
        return true;
    case SessionTimer::kMusicPrepare:
        window_.KillTimer(timer);
        if (!closing_ && plan_.music) music_->OnPrepareTimer();
        return true;
    }
    return false;
}

void SaverSession::ReplaceShow(SessionShow* show) {
    show_ = show;
    if (show_ && !closing_ && !show_pending_) show_->Start();
}

bool SaverSession::OnInput(ShowInput input, Point cursor) {
    if (!exit_rule_ || !exit_rule_(input, cursor)) return false;
    Close();
    return true;
}

void SaverSession::Close() {
    if (closing_) {
        // Closing already: the window may have kept itself open (a password refused);
        // the next ending input asks again.
        window_.Close();
        return;
    }
    closing_ = true;
    window_.Hide();
    Step("window hidden");
    KillTimers();
    show_pending_ = false;
    if (music_) music_->Cancel();
    if (show_) show_->StopWithin(plan_.show_stop_bound_ms);
    Step("show stopped");
    if (music_ && !music_stopped_) {
        music_stopped_ = true;
        music_->Stop();
    }
    Step("music stopped");
    window_.Close();
    Step("close requested");
}

void SaverSession::OnWindowDestroyed() {
    KillTimers();
    show_pending_ = false;
    closing_ = true;
    if (show_) show_->StopWithin(plan_.show_stop_bound_ms);
    if (music_ && !music_stopped_) {
        music_stopped_ = true;
        music_->Cancel();
        music_->Stop();
    }
}

void SaverSession::KillTimers() {
    for (SessionTimer t : {SessionTimer::kShowStart, SessionTimer::kMusicStart, SessionTimer::kMusicTick,
                           SessionTimer::kMusicPrepare})
        window_.KillTimer(t);
}

void SaverSession::Step(std::string_view step) const {
    if (on_step) on_step(step);
}

}  // namespace gd
