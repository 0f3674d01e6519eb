#pragma once
// The show of a made screensaver's window: its embedded pictures and captions, with the
// show settings of its configuration.

#include <windows.h>

#include <memory>
#include <optional>

#include "common/saver_config.h"
#include "raster/geometry.h"
#include "runtime/resource_source.h"
#include "effects/show_setup.h"
#include "player/win32/window_show.h"

namespace gd {

// The show plays in `stage` of the window's client area; without one, in the whole
// client rectangle as it is now.
std::unique_ptr<WindowShow> MakeSaverShow(HWND window, const SaverConfig& config,
                                          std::shared_ptr<const ResourceSource> source, ShowVariant variant,
                                          std::optional<Rect> stage = std::nullopt);

}  // namespace gd
