#include "player/win32/session_window.h"

namespace gd {

void WindowSession::Hide() {
    if (keep_on_close && keep_on_close()) return;
    ShowWindow(window_, SW_HIDE);
}

UINT_PTR WindowSession::IdOf(SessionTimer timer) const {
    switch (timer) {
    case SessionTimer::kShowStart: return ids_.show_start;
    case SessionTimer::kMusicStart: return ids_.music_start;
    case SessionTimer::kMusicTick: return ids_.music_tick;
    case SessionTimer::kMusicPrepare: return ids_.music_prepare;
    }
    return 0;
}

std::optional<SessionTimer> WindowSession::TimerOf(UINT_PTR id) const {
    for (SessionTimer t : {SessionTimer::kShowStart, SessionTimer::kMusicStart, SessionTimer::kMusicTick,
                           SessionTimer::kMusicPrepare}) {
        if (IdOf(t) == id) return t;
    }
    return std::nullopt;
}

std::optional<ShowInput> ShowInputOf(UINT message, WPARAM wparam) {
    switch (message) {
    case WM_MOUSEMOVE: return ShowInput::kMouseMove;
    case WM_LBUTTONDOWN: return ShowInput::kLeftButton;
    case WM_RBUTTONDOWN: return ShowInput::kRightButton;
    case WM_MBUTTONDOWN: return ShowInput::kMiddleButton;
    case WM_KEYDOWN: return wparam == VK_ESCAPE ? ShowInput::kEscape : ShowInput::kKey;
    case WM_SYSKEYDOWN: return ShowInput::kSystemKey;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) return ShowInput::kDeactivate;
        return std::nullopt;
    case WM_ACTIVATEAPP:
        if (wparam == FALSE) return ShowInput::kDeactivate;
        return std::nullopt;
    default: return std::nullopt;
    }
}

}  // namespace gd
