#pragma once
// The show settings of a show from the configuration record a made screensaver carries:
// the screensaver's own shows, and the maker's preview, which takes its settings from the
// record the build would write for the project.

#include "common/saver_config.h"
#include "effects/show_settings.h"

namespace gd {

enum class ShowVariant { kFullScreen, kPreview };

// Timing, picture handling, background and the effect list from the configuration: the
// list holds, in ascending order, every effect 1..44 whose enable byte is exactly 1. The
// full-screen show carries the banner; the preview shows no captions and no banner.
void SetUpShowSettings(ShowSettings& settings, const SaverConfig& config, ShowVariant variant);

}  // namespace gd
