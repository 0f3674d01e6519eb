#include "maker/win32/font_prompt.h"

#include <commdlg.h>

#include <cwchar>

#include "effects/text_scale.h"
#include "maker/win32/ui_text.h"
#include "win32/dialog_items.h"
#include "win32/gdi_text.h"

namespace gd {

LogFont FromLogFontW(const LOGFONTW& lf) {
    LogFont font;
    font.height = lf.lfHeight;
    font.width = lf.lfWidth;
    font.escapement = lf.lfEscapement;
    font.orientation = lf.lfOrientation;
    font.weight = lf.lfWeight;
    font.italic = lf.lfItalic;
    font.underline = lf.lfUnderline;
    font.strike_out = lf.lfStrikeOut;
    font.char_set = lf.lfCharSet;
    font.out_precision = lf.lfOutPrecision;
    font.clip_precision = lf.lfClipPrecision;
    font.quality = lf.lfQuality;
    font.pitch_and_family = lf.lfPitchAndFamily;
    font.face_name = Utf8(std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    return font;
}

std::optional<FontChoice> ChooseScreenFont(HWND owner, const LogFont& font, ColorRef color) {
    LOGFONTW lf = ToLogFontW(font);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &lf;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = color;
    if (!ChooseFontW(&choose)) return std::nullopt;
    return FontChoice{FromLogFontW(lf), ColorRef(choose.rgbColors)};
}

LogFont FontOnWindow(const LogFont& kept, HWND window, bool scale_texts) {
    return scale_texts ? FontAtDpi(kept, kTextBaseDpi, int32_t(WindowDpi(window))) : kept;
}

LogFont FontToKeep(const LogFont& shown, HWND window, bool scale_texts) {
    return scale_texts ? FontAtDpi(shown, int32_t(WindowDpi(window)), kTextBaseDpi) : shown;
}

}  // namespace gd
