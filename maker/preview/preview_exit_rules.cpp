#include "maker/preview/preview_exit_rules.h"

namespace gd {

bool PreviewExitRules::Ends(PreviewInput input, Point cursor) {
    switch (input) {
    case PreviewInput::kEscape:
    case PreviewInput::kDeactivate: return true;
    case PreviewInput::kKey: return flags_.any_key;
    case PreviewInput::kLeftButton:
    case PreviewInput::kMiddleButton: return flags_.left_click;
    case PreviewInput::kRightButton: return flags_.right_click;
    case PreviewInput::kMouseMove:
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
