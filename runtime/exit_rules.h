#pragma once
// Which user input ends the full-screen show, and what the window does with a close
// message. Pure decisions over the window's exit state; the window feeds them events
// and carries out the result.

#include <cstdint>

#include "player/show_input.h"
#include "raster/geometry.h"

namespace gd {

constexpr int32_t kDefaultMouseThreshold = 3;

// The screensaver author's choices (after the settings-file overrides).
struct ExitFlags {
    bool mouse_move = false;
    bool left_click = false;
    bool right_click = false;
    bool keyboard = false;
};

// The platform's screensaver values, read once when the window is created.
struct ScreenSaverValues {
    uint32_t password_delay_s = 0;
    int32_t mouse_threshold = kDefaultMouseThreshold;
};

struct ExitState {
    bool checking_password = false;
    bool closing = false;
    Point reference;          // cursor position at creation and after each password check
    uint32_t start_tick = 0;  // millisecond tick at creation
    ScreenSaverValues values;
};

// True when the cursor left the square of +-threshold pixels around the reference.
bool CursorMovedBeyond(Point reference, Point now, int32_t threshold);

// True when `input` asks the show to close. `cursor` is the current screen position of
// the cursor (not the one an event carries); only mouse movement reads it. Nothing
// ends the show while the password check runs.
bool InputEndsShow(ShowInput input, const ExitState& state, const ExitFlags& flags, Point cursor);

enum class CloseDecision {
    kIgnore,         // not our own request: the window stays
    kCheckPassword,  // ask for the password; close only when it is accepted
    kClose,          // pass the request on: the window is destroyed
};

// The close message: only the program's own request closes the window, and within the
// password delay after the start it closes without a password.
CloseDecision DecideClose(const ExitState& state, uint32_t now_tick);

}  // namespace gd
