#pragma once
// The Settings page's banner sample: the banner in its font and colour on the show's
// background colour.

#include <windows.h>

#include <string_view>

#include "common/color_ref.h"
#include "common/log_font.h"

namespace gd {

// Fills the owner-drawn control with `background` and draws `text` as one centred line
// at the font's own pixel size, ending in an ellipsis when it does not fit.
void DrawBannerSample(const DRAWITEMSTRUCT& item, ColorRef background, const LogFont& font, ColorRef color,
                      std::wstring_view text);

}  // namespace gd
