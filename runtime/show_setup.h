#pragma once
// The show settings of a show window from the configuration record.

#include "common/saver_config.h"
#include "effects/show_settings.h"

namespace gd {

enum class ShowVariant { kFullScreen, kPreview };

// Timing, picture handling, background and the effect list from the configuration: the
// list holds, in ascending order, every effect 1..44 whose enable byte is exactly 1. The
// full-screen show carries the banner; the preview shows no captions and no banner.
void SetUpShowSettings(ShowSettings& settings, const SaverConfig& config, ShowVariant variant);

}  // namespace gd
