// The one file that draws text with GDI: the others are built without DrawText, whose
// macro would rename the text renderer's method (see CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "win32/gdi_text.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/utf16.h"

namespace gd {
namespace {

template <class Lf> Lf WithMetrics(const LogFont& font) {
    Lf lf{};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strike_out;
    lf.lfCharSet = font.char_set;
    lf.lfOutPrecision = font.out_precision;
    lf.lfClipPrecision = font.clip_precision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitch_and_family;
    return lf;
}

HFONT CreateFontFor(const LogFont& font, TextForm form) {
    if (form == TextForm::kAnsi) {
        LOGFONTA lf = ToLogFontA(font);
        return CreateFontIndirectA(&lf);
    }
    LOGFONTW lf = ToLogFontW(font);
    return CreateFontIndirectW(&lf);
}

}  // namespace

LOGFONTA ToLogFontA(const LogFont& font) {
    LOGFONTA lf = WithMetrics<LOGFONTA>(font);
    std::strncpy(lf.lfFaceName, font.face_name.c_str(), LF_FACESIZE - 1);
    return lf;
}

LOGFONTW ToLogFontW(const LogFont& font) {
    LOGFONTW lf = WithMetrics<LOGFONTW>(font);
    const std::wstring face = Utf8ToUtf16(font.face_name);
    size_t n = std::min(face.size(), size_t(LF_FACESIZE - 1));
    if (n < face.size() && n > 0 && IS_HIGH_SURROGATE(face[n - 1])) --n;
    std::copy_n(face.data(), n, lf.lfFaceName);
    return lf;
}

void DrawGdiText(HDC dc, const LogFont& font, ColorRef color, const Rect& rect, std::string_view text, TextForm form,
                 UINT format) {
    HFONT created = CreateFontFor(font, form);
    HGDIOBJ previous = created ? SelectObject(dc, created) : nullptr;
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    if (form == TextForm::kAnsi) {
        std::string copy(text);  // DrawTextA wants a writable buffer for some flags
        DrawTextA(dc, copy.data(), int(copy.size()), &r, format);
    } else {
        std::wstring wide = Utf8ToUtf16(text);
        DrawTextW(dc, wide.data(), int(wide.size()), &r, format);
    }
    if (created) {
        SelectObject(dc, previous);
        DeleteObject(created);
    }
}

}  // namespace gd
