#pragma once
// The user's input as every full-screen show sees it, whatever window system delivers
// it: what the exit rules of the screensaver and of the maker's preview decide on.

namespace gd {

enum class ShowInput {
    kMouseMove,
    kLeftButton,
    kRightButton,
    kMiddleButton,
    kKey,         // any key but Escape
    kEscape,
    kSystemKey,   // keys pressed with Alt, and F10
    kDeactivate,  // the window or the application loses the activation
};

}  // namespace gd
