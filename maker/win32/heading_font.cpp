#include "maker/win32/heading_font.h"

namespace gd {

HFONT MakeHeadingFont(HWND dialog) {
    LOGFONTW font{};
    GetObjectW(HFONT(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = font.lfHeight * 3 / 2;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

}  // namespace gd
