#pragma once
// Which user input ends the maker's full-screen preview. Escape and any loss of the
// activation always do; other keys, the buttons and mouse movement only as the project
// allows; keys pressed with Alt are left to the window (Alt+F4 closes it). The first
// mouse message only records where the cursor is: the platform sends one when the
// window appears under a cursor that did not move.

#include "maker/preview/preview_plan.h"
#include "player/show_input.h"
#include "raster/geometry.h"

namespace gd {


class PreviewExitRules {
public:
    explicit PreviewExitRules(PreviewExitFlags flags) : flags_(flags) {}

    // True when `input` ends the preview; `cursor` is where a mouse message says the
    // cursor is (read for mouse movement only).
    bool Ends(ShowInput input, Point cursor = {});

    // The window moved under the cursor (the monitors changed): the next mouse message
    // only records where the cursor is, as the first one did.
    void Rebase() { mouse_seen_ = false; }

    // Where the first mouse message found the cursor; (-1, -1) before it came.
    Point first_mouse() const { return first_mouse_; }

private:
    PreviewExitFlags flags_;
    Point first_mouse_{-1, -1};
    bool mouse_seen_ = false;
};

}  // namespace gd
