#include "maker/preview/preview_exit_rules.h"

namespace gd {

bool PreviewExitRules::Ends(ShowInput input, Point cursor) {
    switch (input) {
    case ShowInput::kEscape:
    case ShowInput::kDeactivate: return true;
    case ShowInput::kKey: return flags_.any_key;
    case ShowInput::kLeftButton:
    case ShowInput::kMiddleButton: return flags_.left_click;
    case ShowInput::kRightButton: return flags_.right_click;
    case ShowInput::kSystemKey: return false;
    case ShowInput::kMouseMove:
        if (!mouse_seen_) {
            mouse_seen_ = true;
            first_mouse_ = cursor;
            return false;
        }
        return flags_.mouse_move && (cursor.x != first_mouse_.x || cursor.y != first_mouse_.y);
    }
    return false;
}

}  // namespace gd
