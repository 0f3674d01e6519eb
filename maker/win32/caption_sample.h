#pragma once
// The sample of a caption: its text drawn in its own font and colour, centred in an
// owner-drawn control on the dialog's face colour (in a high-contrast theme: framed in
// the theme's colours, the text outlined where its colour would vanish on the theme's).

#include <windows.h>

#include <string_view>

#include "common/color_ref.h"
#include "common/log_font.h"

namespace gd {

void DrawCaptionSample(const DRAWITEMSTRUCT& item, const LogFont& font, ColorRef color, std::wstring_view text);

}  // namespace gd
