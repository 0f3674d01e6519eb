#pragma once
// The show settings of a show from the configuration record a made screensaver carries:
// the screensaver's own shows, and the maker's preview, which takes its settings from the
// record the build would write for the project.

#include "common/saver_config.h"
#include "common/show_options.h"
#include "effects/show_settings.h"

namespace gd {

enum class ShowVariant { kFullScreen, kPreview };

// Timing, picture handling, background and the effect list from the configuration: the
// list holds, in ascending order, every effect whose enable byte is exactly 1 among those
// the record's effect count speaks for (1..44 in a screensaver made before cross-fade). The
// full-screen show carries the banner, drawn from its Unicode text when the configuration
// has its texts (TextForm::kUtf8) and from the record's ANSI text when not; the preview
// shows no captions and no banner.
void SetUpShowSettings(ShowSettings& settings, const SaverConfig& config, ShowVariant variant);

// Sets the show's part of one option (timing, picture handling, background and the
// show's newer options; not the effect flags, texts or fonts). False for an option the
// show settings do not hold this way. The effect renderer's --set uses it.
bool ApplyShowOption(ShowSettings& settings, OptionId option, int64_t value);

}  // namespace gd
