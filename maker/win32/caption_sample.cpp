// Draws with DrawTextW, which the shared Windows layer's users are built without (see
// win32/CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "maker/win32/caption_sample.h"

#include <string>

#include "maker/win32/font_prompt.h"

namespace gd {

void DrawCaptionSample(const DRAWITEMSTRUCT& item, const LogFont& font, ColorRef color, std::wstring_view text) {
    RECT r = item.rcItem;
    DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (text.empty()) return;
    // The font at the size the screensaver draws it, as the font dialog chose it.
    LOGFONTW lf = ToLogFontW(font);
    HFONT created = CreateFontIndirectW(&lf);
    HGDIOBJ previous = created ? SelectObject(item.hDC, created) : nullptr;
    SetTextColor(item.hDC, color);
    SetBkMode(item.hDC, TRANSPARENT);
    const int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
    std::wstring copy(text);
    // A caption wider than the sample ends in an ellipsis rather than losing both ends.
    DrawTextW(item.hDC, copy.data(), int(copy.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(item.hDC, saved);
    if (created) {
        SelectObject(item.hDC, previous);
        DeleteObject(created);
    }
}

}  // namespace gd
