#pragma once
// Where the full-screen show window goes when there are several monitors: over all of
// them, so a locked screen leaves no monitor showing the desktop. The show itself plays
// on the primary monitor, in the primary monitor's rectangle; the rest of the window is
// black.

#include <span>

#include "raster/geometry.h"

namespace gd {

struct MonitorArea {
    Rect rect;  // screen coordinates; the primary monitor's top left is (0, 0)
    bool primary = false;
};

struct ScreenLayout {
    Rect window;  // screen coordinates: the smallest rectangle holding every monitor
    Rect stage;   // window coordinates: the primary monitor, where the show plays
};

// The layout for the platform's monitor list. The primary monitor is the one marked so,
// else the one holding the origin, else the first. With no monitor at all, the window
// and the stage are `fallback_primary` (the primary screen's size at the origin).
ScreenLayout FullScreenLayout(std::span<const MonitorArea> monitors, const Rect& fallback_primary);

}  // namespace gd
