#include "runtime/exit_rules.h"

#include <cstdlib>

namespace gd {

bool CursorMovedBeyond(Point reference, Point now, int32_t threshold) {
    // 64-bit differences: screen coordinates far apart must not overflow.
    int64_t dx = std::llabs(int64_t(now.x) - reference.x);
    int64_t dy = std::llabs(int64_t(now.y) - reference.y);
    return dx > threshold || dy > threshold;
}

bool InputEndsShow(ShowInput input, const ExitState& state, const ExitFlags& flags, Point cursor) {
    if (state.checking_password) return false;
    switch (input) {
        case ShowInput::kMouseMove:
            return flags.mouse_move && CursorMovedBeyond(state.reference, cursor, state.values.mouse_threshold);
        case ShowInput::kLeftButton: return flags.left_click;
        case ShowInput::kRightButton: return flags.right_click;
        case ShowInput::kKey: return flags.keyboard;
        case ShowInput::kMiddleButton:
        case ShowInput::kEscape:
        case ShowInput::kSystemKey:
        case ShowInput::kDeactivate: return true;
    }
    return false;
}

CloseDecision DecideClose(const ExitState& state, uint32_t now_tick) {
    if (!state.closing) return CloseDecision::kIgnore;
    if (state.checking_password) return CloseDecision::kClose;
    uint32_t elapsed = now_tick - state.start_tick;  // unsigned: a tick wrap is harmless
    // 64-bit: a large registry delay must not wrap into a short one.
    if (uint64_t(elapsed) > uint64_t(state.values.password_delay_s) * 1000) return CloseDecision::kCheckPassword;
    return CloseDecision::kClose;
}

}  // namespace gd
