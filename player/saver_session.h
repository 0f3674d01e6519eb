#pragma once
// SaverSession: the sequencing of one full-screen show, the same for the screensaver and
// the maker's preview. It starts the show and the music (each at once or after a delay,
// the show possibly held back until the first track plays), drives the music once a
// second, turns input into an ending through the exit rules it is given, and closes in
// one order:
//
//   input that ends the show -> window hidden -> timers killed -> music's background
//   work cancelled -> show stopped (waiting at most a bound) -> music stopped -> the
//   window asked to close
//
// so the window leaves the screen at once, whatever the show is doing, and what is left
// to wait for is bounded: a show thread still decoding after the bound is left to end on
// its own (ShowHost::StopWithin). The show may be one screen's or the shows of several
// monitors (ShowGroup): one music, one exit rule and one close order for all of them.
//
// The window is reached through SessionWindow (its timers, hiding and closing) and the
// music through SessionMusic, so the whole sequence runs in tests without a window
// system. Threads: the window's thread calls everything here.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "player/one_shot_timer.h"
#include "player/session_show.h"
#include "player/show_input.h"
#include "raster/geometry.h"

namespace gd {

enum class SessionTimer : unsigned {
    kShowStart = 1,  // once: starts the show
    kMusicStart,     // once: the music's first step
    kMusicTick,      // every second: the music's check
    kMusicPrepare,   // once: the music's preparation of its next track
};

// What the session needs of its window.
class SessionWindow {
public:
    virtual ~SessionWindow() = default;
    // A window timer: setting one that is pending restarts its countdown.
    virtual void SetTimer(SessionTimer timer, uint32_t ms) = 0;
    virtual void KillTimer(SessionTimer timer) = 0;
    // Takes the window off the screen at once (or keeps it, where a question about the
    // ending may still follow on it).
    virtual void Hide() = 0;
    // Asks the window to close (a queued request, handled after the session returns).
    virtual void Close() = 0;
};

// The music of a session: the screensaver's tracks from its payload, the preview's from
// the project's files.
class SessionMusic {
public:
    virtual ~SessionMusic() = default;
    // The first step, when the music starts; `prepare` is the music's own one-shot timer.
    virtual void Begin(OneShotTimer& prepare) = 0;
    // The once-a-second check: true when a track started.
    virtual bool Tick() = 0;
    // The one-shot timer fired.
    virtual void OnPrepareTimer() {}
    // Stops work in the background without waiting for it.
    virtual void Cancel() {}
    // Stops playing and removes what the music left behind.
    virtual void Stop() = 0;
};

struct SessionPlan {
    bool music = false;                 // there is music to play (tracks, not muted)
    uint32_t show_start_ms = 0;         // 0: the show starts at once, else after this
    uint32_t music_start_ms = 0;        // 0: the music begins at once, else after this
    // The show waits for the first track and starts one second after it began (a
    // platform whose music starts late).
    bool show_waits_for_music = false;
    // How long the close waits for the show thread before leaving it to end on its own.
    uint32_t show_stop_bound_ms = 200;
};

// Whether an input ends the show; `cursor` is where the pointer is (mouse movement only).
using ExitRule = std::function<bool(ShowInput input, Point cursor)>;

class SaverSession {
public:
    static constexpr uint32_t kMusicTickMs = 1000;
    static constexpr uint32_t kHeldShowDelayMs = 1000;

    // `show` and `music` may be null (nothing to show, no music).
    SaverSession(SessionWindow& window, SessionShow* show, std::unique_ptr<SessionMusic> music, ExitRule exit_rule,
                 SessionPlan plan);
    ~SaverSession();
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    // Starts what the plan says, at once or by timers.
    void Start();
    // A window timer fired: false when it was none of the session's.
    bool OnTimer(SessionTimer timer);
    // Input from the user: closes when the exit rule says so. True when it did.
    bool OnInput(ShowInput input, Point cursor = {});
    // The window changed size and its platform made a show of the new size: `show`
    // plays from now on, started at once unless the session still holds the show back
    // or is closing. The previous show must already be stopped.
    void ReplaceShow(SessionShow* show);
    // Closes in the order above; once.
    void Close();
    bool closing() const { return closing_; }
    bool show_pending() const { return show_pending_; }
    // The window was destroyed: whatever Close has not done yet, without waiting.
    void OnWindowDestroyed();

    // Told each step of the close ("window hidden", "show stopped", "music stopped",
    // "close requested"): for tests and measurements.
    std::function<void(std::string_view step)> on_step;

private:
    class PrepareTimer;
    void StartShow();
    void KillTimers();
    void Step(std::string_view step) const;

    SessionWindow& window_;
    SessionShow* show_;
    std::unique_ptr<SessionMusic> music_;
    std::unique_ptr<PrepareTimer> prepare_timer_;
    ExitRule exit_rule_;
    SessionPlan plan_;
    bool show_pending_ = false;
    bool show_start_scheduled_ = false;
    bool music_stopped_ = false;
    bool closing_ = false;
};

}  // namespace gd
