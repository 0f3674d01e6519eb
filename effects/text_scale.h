#pragma once
// Captions and the banner at a monitor's DPI. Their font sizes and insets are those of a
// monitor at 96 DPI (100 %); a show whose options scale texts draws them larger on a
// denser monitor by its DPI over 96, so a 4K monitor at 200 % shows them as large as a
// full-HD one at 100 %. A show that does not scale (every screensaver made before the
// option) draws them at their pixel sizes on every monitor.

#include <cstdint>

#include "common/log_font.h"
#include "effects/show_settings.h"

namespace gd {

constexpr int32_t kTextBaseDpi = 96;

// The DPI the show's texts are drawn for: the monitor's when the show scales texts.
inline int32_t TextDpi(const ShowSettings& s) {
    return s.scale_texts && s.display_dpi > 0 ? s.display_dpi : kTextBaseDpi;
}

// `length` (pixels at `from_dpi`, either sign) at `to_dpi`, rounded half away from zero.
inline int32_t LengthAtDpi(int32_t length, int32_t from_dpi, int32_t to_dpi) {
    if (from_dpi <= 0 || to_dpi <= 0 || from_dpi == to_dpi) return length;
    const int64_t scaled = int64_t(length) * to_dpi;
    return int32_t(scaled >= 0 ? (scaled + from_dpi / 2) / from_dpi : (scaled - from_dpi / 2) / from_dpi);
}
inline int32_t ScaledLength(int32_t length, int32_t dpi) { return LengthAtDpi(length, kTextBaseDpi, dpi); }

// The font of `from_dpi` at `to_dpi`: its height and width scaled (0, the platform's
// default, stays 0).
inline LogFont FontAtDpi(LogFont font, int32_t from_dpi, int32_t to_dpi) {
    font.height = LengthAtDpi(font.height, from_dpi, to_dpi);
    font.width = LengthAtDpi(font.width, from_dpi, to_dpi);
    return font;
}
inline LogFont ScaledFont(const LogFont& font, int32_t dpi) { return FontAtDpi(font, kTextBaseDpi, dpi); }

}  // namespace gd
