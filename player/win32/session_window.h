#pragma once
// A full-screen show window's side of a SaverSession: its timers under the ids the
// window chose, hiding it, and its close request; and the input its messages carry.

#include <windows.h>

#include <functional>
#include <optional>

#include "player/saver_session.h"
#include "player/show_input.h"

namespace gd {

struct SessionTimerIds {
    UINT_PTR show_start;
    UINT_PTR music_start;
    UINT_PTR music_tick;
    UINT_PTR music_prepare;
};

class WindowSession final : public SessionWindow {
public:
    // `close_message` is posted to ask the window to close.
    WindowSession(HWND window, SessionTimerIds ids, UINT close_message = WM_CLOSE)
        : window_(window), ids_(ids), close_message_(close_message) {}

    void SetTimer(SessionTimer timer, uint32_t ms) override { ::SetTimer(window_, IdOf(timer), ms, nullptr); }
    void KillTimer(SessionTimer timer) override { ::KillTimer(window_, IdOf(timer)); }
    // Hides the window unless `keep_on_close` says it must stay (a question follows on it).
    void Hide() override;
    void Close() override { PostMessageW(window_, close_message_, 0, 0); }

    // The session timer a WM_TIMER id stands for.
    std::optional<SessionTimer> TimerOf(UINT_PTR id) const;

    std::function<bool()> keep_on_close;

private:
    UINT_PTR IdOf(SessionTimer timer) const;

    HWND window_;
    SessionTimerIds ids_;
    UINT close_message_;
};

// The input a message of a full-screen show window carries; nothing for other messages.
std::optional<ShowInput> ShowInputOf(UINT message, WPARAM wparam);

}  // namespace gd
