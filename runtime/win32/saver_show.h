#pragma once
// The shows of a made screensaver's windows: its embedded pictures and captions, with the
// show settings of its configuration.

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "common/saver_config.h"
#include "effects/show_setup.h"
#include "player/monitor_sharing.h"
#include "player/show_stage.h"
#include "player/win32/window_show.h"
#include "raster/geometry.h"
#include "runtime/resource_source.h"

namespace gd {

// A test's seed, clock and frame capture when its variables are set (show_capture.h),
// read once; null otherwise. The full-screen shows and the small preview follow it.
const ShowCaptureSettings* SaverShowCapture();

// One show in `stage` of the window's client area; without one, in the whole client
// rectangle as it is now.
std::unique_ptr<WindowShow> MakeSaverShow(HWND window, const SaverConfig& config,
                                          std::shared_ptr<const ResourceSource> source, ShowVariant variant,
                                          std::optional<Rect> stage = std::nullopt);

// The full-screen shows on `stages` (one per monitor the mode plays on), each set up from
// the configuration and then by `sharing`; so are the shows a new layout adds later.
std::unique_ptr<WindowShow> MakeFullScreenShows(HWND window, const SaverConfig& config,
                                                std::shared_ptr<const ResourceSource> source,
                                                const std::vector<ShowStage>& stages,
                                                std::shared_ptr<MonitorSharing> sharing);

}  // namespace gd
