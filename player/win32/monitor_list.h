#pragma once
// The platform's monitors, for the full-screen layout.

#include <vector>

#include "player/screen_layout.h"

namespace gd {

// Every monitor of the desktop with its rectangle in screen coordinates and its DPI;
// empty when the platform lists none. The rectangles are in pixels for a process that is
// aware of each monitor's DPI, as the screensaver and the maker are.
std::vector<MonitorArea> PlatformMonitors();

// The full-screen layout over the platform's monitors in `mode` (the primary screen
// alone when it lists none).
ScreenLayout PlatformFullScreenLayout(MonitorMode mode = MonitorMode::kPrimaryOnly);

}  // namespace gd
