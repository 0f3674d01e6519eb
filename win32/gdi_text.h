#pragma once
// Text drawn with GDI: a font made from the record's font description, the colour, a
// transparent background and the platform's text-drawing format flags.

#include <windows.h>

#include <string_view>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "raster/geometry.h"
#include "raster/text_form.h"

namespace gd {

// The font with its face name as ANSI bytes, or (W) from UTF-8, cut to the field without
// splitting a character.
LOGFONTA ToLogFontA(const LogFont& font);
LOGFONTW ToLogFontW(const LogFont& font);

// Draws `text` into `dc` in `rect` with `format` (DT_* flags); the font is created for
// the call and deleted after it, the previous font is selected again. ANSI text goes
// through CreateFontIndirectA and DrawTextA; UTF-8 through the wide functions, whose
// font linking draws what the font itself lacks.
void DrawGdiText(HDC dc, const LogFont& font, ColorRef color, const Rect& rect, std::string_view text, TextForm form,
                 UINT format);

}  // namespace gd
