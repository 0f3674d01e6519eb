#pragma once
// The platform's monitors, for the full-screen layout.

#include <vector>

#include "runtime/screen_layout.h"

namespace gd {

// Every monitor of the desktop with its rectangle in screen coordinates; empty when the
// platform lists none.
std::vector<MonitorArea> PlatformMonitors();

// The full-screen layout over the platform's monitors (the primary screen alone when it
// lists none).
ScreenLayout PlatformFullScreenLayout();

}  // namespace gd
