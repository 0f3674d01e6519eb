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

namespace {

// The font dialog finds its first face by name among the families the screen lists, and
// its size from a character height. A stored font may name a face the system only
// substitutes ("MS Sans Serif") and give a cell height; the dialog would then open on its
// first face at its smallest size. It starts instead on the font the system makes of it,
// which is the font the screensaver draws with.
LOGFONTW AsTheSystemMakesIt(const LOGFONTW& wanted) {
    LOGFONTW lf = wanted;
    HDC dc = GetDC(nullptr);
    HFONT made = CreateFontIndirectW(&wanted);
    HGDIOBJ old = SelectObject(dc, made);
    wchar_t face[LF_FACESIZE] = {};
    if (GetTextFaceW(dc, LF_FACESIZE, face) > 0) wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    TEXTMETRICW metrics{};
    if (wanted.lfHeight > 0 && GetTextMetricsW(dc, &metrics))
        lf.lfHeight = -(metrics.tmHeight - metrics.tmInternalLeading);
    SelectObject(dc, old);
    DeleteObject(made);
    ReleaseDC(nullptr, dc);
    return lf;
}

}  // namespace

std::optional<FontChoice> ChooseScreenFont(HWND owner, const LogFont& font, ColorRef color) {
    LOGFONTW lf = AsTheSystemMakesIt(ToLogFontW(font));
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
