// The one file that draws text with GDI: the others are built without DrawText, whose
// macro would rename the text renderer's method (see CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "win32/gdi_text.h"

#include <cstring>
#include <string>

namespace gd {

LOGFONTA ToLogFontA(const LogFont& font) {
    LOGFONTA lf{};
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
    std::strncpy(lf.lfFaceName, font.face_name.c_str(), LF_FACESIZE - 1);
    return lf;
}

void DrawGdiText(HDC dc, const LogFont& font, ColorRef color, const Rect& rect, std::string_view text, UINT format) {
    LOGFONTA lf = ToLogFontA(font);
    HFONT created = CreateFontIndirectA(&lf);
    HGDIOBJ previous = created ? SelectObject(dc, created) : nullptr;
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    std::string copy(text);  // DrawTextA wants a writable buffer for some flags
    DrawTextA(dc, copy.data(), int(copy.size()), &r, format);
    if (created) {
        SelectObject(dc, previous);
        DeleteObject(created);
    }
}

}  // namespace gd
