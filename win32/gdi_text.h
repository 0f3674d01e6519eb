#pragma once
// Text drawn with GDI: a font made from the record's font description, the colour, a
// transparent background and the platform's text-drawing format flags.

#include <windows.h>

#include <string_view>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "raster/geometry.h"

namespace gd {

LOGFONTA ToLogFontA(const LogFont& font);

// Draws `text` into `dc` in `rect` with `format` (DT_* flags); the font is created for
// the call and deleted after it, the previous font is selected again.
void DrawGdiText(HDC dc, const LogFont& font, ColorRef color, const Rect& rect, std::string_view text, UINT format);

}  // namespace gd
