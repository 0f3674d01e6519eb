#pragma once
// Where a full-screen show window goes and where its shows play in it, for the
// platform's monitors and the monitor mode (nMonitorMode). The window covers every
// monitor, so a locked screen leaves none showing the desktop; what lies in the window
// on no monitor is never seen.
//
//   kPrimaryOnly (0): one show, on the primary monitor; the other monitors are black.
//       Every screensaver made before the mode existed plays so.
//   kSameShow (1), kDifferentPictures (2): a show on every monitor, each at that
//       monitor's size and DPI, ordered from left to right (then from top to bottom).
//       A monitor that merely mirrors another (the same rectangle) gets no show of its own.

#include <cstdint>
#include <span>
#include <vector>

#include "player/show_stage.h"
#include "raster/geometry.h"

namespace gd {

enum class MonitorMode : int32_t { kPrimaryOnly = 0, kSameShow = 1, kDifferentPictures = 2 };

// The mode a stored value stands for; a value out of range plays on the primary only.
MonitorMode MonitorModeOf(int32_t value);

struct MonitorArea {
    Rect rect;  // screen coordinates; the primary monitor's top left is (0, 0)
    bool primary = false;
    int dpi = 96;
};

struct ScreenLayout {
    Rect window;                    // screen coordinates: the smallest rectangle holding every monitor
    std::vector<ShowStage> stages;  // window coordinates; never empty
    friend bool operator==(const ScreenLayout&, const ScreenLayout&) = default;
};

// The layout for the platform's monitor list. The primary monitor is the one marked so,
// else the one holding the origin, else the first. With no monitor at all, the window
// and the one stage are `fallback_primary` (the primary screen's size at the origin).
ScreenLayout FullScreenLayout(std::span<const MonitorArea> monitors, const Rect& fallback_primary,
                              MonitorMode mode = MonitorMode::kPrimaryOnly);

}  // namespace gd
