// Draws with DrawTextW, which the shared Windows layer's users are built without (see
// win32/CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "maker/win32/caption_sample.h"

#include <string>

#include "maker/win32/font_prompt.h"
#include "win32/high_contrast.h"

namespace gd {

namespace {

// The sample's frame and ground: a sunken edge on the dialog's face; in a high-contrast
// theme a one-pixel frame in the theme's text colour around its window colour, as an
// entry field is drawn there. Returns the ground.
COLORREF DrawGround(HDC dc, RECT& r) {
    if (!HighContrastOn()) {
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        return GetSysColor(COLOR_BTNFACE);
    }
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
    InflateRect(&r, -1, -1);
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    return GetSysColor(COLOR_WINDOW);
}

}  // namespace

void DrawCaptionSample(const DRAWITEMSTRUCT& item, const LogFont& font, ColorRef color, std::wstring_view text) {
    RECT r = item.rcItem;
    const COLORREF ground = DrawGround(item.hDC, r);
    if (text.empty()) return;
    // The font at the size the screensaver draws it, as the font dialog chose it.
    LOGFONTW lf = ToLogFontW(font);
    HFONT created = CreateFontIndirectW(&lf);
    HGDIOBJ previous = created ? SelectObject(item.hDC, created) : nullptr;
    SetBkMode(item.hDC, TRANSPARENT);
    const int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
    // A caption wider than the sample ends in an ellipsis rather than losing both ends.
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    const COLORREF own = color & 0x00FFFFFFu;
    if (HighContrastOn() && HardToTellApart(own, ground)) {
        // The caption keeps the user's colour; on a theme's ground of nearly that colour
        // it is outlined in the theme's text colour so it can still be read.
        SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
        for (const POINT shift : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
            RECT moved = r;
            OffsetRect(&moved, shift.x, shift.y);
            std::wstring copy(text);
            DrawTextW(item.hDC, copy.data(), int(copy.size()), &moved, format);
        }
    }
    SetTextColor(item.hDC, own);
    std::wstring copy(text);
    DrawTextW(item.hDC, copy.data(), int(copy.size()), &r, format);
    RestoreDC(item.hDC, saved);
    if (created) {
        SelectObject(item.hDC, previous);
        DeleteObject(created);
    }
}

}  // namespace gd
