#include "win32/gdi_presenter.h"

#include <cstring>

namespace gd {
namespace {

// A region of `rects` moved by `origin`, or null when GDI refuses.
HRGN RegionOf(std::span<const Rect> rects, Point origin, std::vector<uint8_t>& data) {
    data.resize(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(rects.size());
    header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    Rect bounds;
    RECT* out = reinterpret_cast<RECT*>(data.data() + sizeof header);
    for (size_t k = 0; k < rects.size(); ++k) {
        const Rect r = rects[k].translated(origin.x, origin.y);
        out[k] = RECT{r.left, r.top, r.right, r.bottom};
        bounds = bounds.united(r);
    }
    header.rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    std::memcpy(data.data(), &header, sizeof header);
    return ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

void GdiPresenter::Present(const Bitmap& window, std::span<const Rect> dirty) {
    if (dirty.empty()) return;
    GdiFlush();  // the buffer was written through its pixels: let GDI see all of it
    HDC dc = GetDC(window_);
    if (!dc) return;
    const Point at = origin();
    auto blit = [&](const Rect& r) {
        BitBlt(dc, at.x + r.left, at.y + r.top, r.width(), r.height(), buffer_.dc(), r.left, r.top, SRCCOPY);
    };
    HRGN clip = dirty.size() > kSeparateBlits ? RegionOf(dirty, at, region_data_) : nullptr;
    if (clip) {
        Rect bounds;
        for (const Rect& r : dirty) bounds = bounds.united(r);
        SelectClipRgn(dc, clip);
        blit(bounds.intersected(window.rect()));
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    } else {
        for (const Rect& r : dirty) blit(r.intersected(window.rect()));
    }
    ReleaseDC(window_, dc);
    // Wine puts what a thread drew into a window on the screen when the window's own
    // thread next looks at its messages. The show thread draws while the window's thread
    // may sleep in GetMessage for a whole picture pause, so without a message the last
    // present of every transition stayed off the screen until the next transition: half
    // a picture, or the caption of the one before. An empty message wakes it; elsewhere
    // it costs a message at most once a display refresh.
    PostMessageA(window_, WM_NULL, 0, 0);
    if (first_present_) {
        auto hook = std::move(first_present_);
        first_present_ = nullptr;
        hook();
    }
}

}  // namespace gd
