#pragma once
// The system's font dialog as the maker's pages use it for captions and the banner:
// screen fonts, with the effects part so that a colour is chosen with the font.

#include <windows.h>

#include <optional>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "win32/gdi_text.h"

namespace gd {

struct FontChoice {
    LogFont font;
    ColorRef color = 0;
};

// The font dialog preset to `font` and `color`; the chosen font and colour, or nothing
// when cancelled.
std::optional<FontChoice> ChooseScreenFont(HWND owner, const LogFont& font, ColorRef color);

// A font of the platform's font dialog as a project font (face name in UTF-8); the way
// there is ToLogFontW (win32/gdi_text.h).
LogFont FromLogFontW(const LOGFONTW& font);

}  // namespace gd
