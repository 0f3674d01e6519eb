// Draws with DrawTextW, which the shared Windows layer's users are built without (see
// win32/CMakeLists.txt).
#undef NODRAWTEXT
#include <windows.h>

#include "maker/win32/setting_sample.h"

#include <string>

#include "maker/win32/font_prompt.h"

namespace gd {

void DrawBannerSample(const DRAWITEMSTRUCT& item, ColorRef background, const LogFont& font, ColorRef color,
                      std::wstring_view text) {
    HBRUSH brush = CreateSolidBrush(background & 0x00FFFFFFu);
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    if (text.empty()) return;
    LOGFONTW lf = ToLogFontW(font);
    HFONT created = CreateFontIndirectW(&lf);
    HGDIOBJ previous = created ? SelectObject(item.hDC, created) : nullptr;
    SetTextColor(item.hDC, color & 0x00FFFFFFu);
    SetBkMode(item.hDC, TRANSPARENT);
    const int saved = SaveDC(item.hDC);
    RECT r = item.rcItem;
    IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
    InflateRect(&r, -2, 0);
    std::wstring copy(text);  // DrawTextW may write the ellipsis into it
    DrawTextW(item.hDC, copy.data(), int(copy.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(item.hDC, saved);
    if (created) {
        SelectObject(item.hDC, previous);
        DeleteObject(created);
    }
}

}  // namespace gd
