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

// A project's caption or banner font as `window` shows it, and a font chosen there as
// the project keeps it. A project that draws its texts at each monitor's DPI
// (bScaleTexts) keeps sizes of a 96-DPI monitor, which the maker's window shows at its
// own DPI; one that does not keeps pixel sizes, shown as they are.
LogFont FontOnWindow(const LogFont& kept, HWND window, bool scale_texts);
LogFont FontToKeep(const LogFont& shown, HWND window, bool scale_texts);

// A font of the platform's font dialog as a project font (face name in UTF-8); the way
// there is ToLogFontW (win32/gdi_text.h).
LogFont FromLogFontW(const LOGFONTW& font);

}  // namespace gd
