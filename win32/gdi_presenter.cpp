#include "win32/gdi_presenter.h"

namespace gd {

void GdiPresenter::Present(const Bitmap& window, const Rect& dirty) {
    Rect r = dirty.intersected(window.rect());
    if (r.is_empty()) return;
    GdiFlush();  // the buffer was written through its pixels: let GDI see all of it
    HDC dc = GetDC(window_);
    if (!dc) return;
    BitBlt(dc, origin_.x + r.left, origin_.y + r.top, r.width(), r.height(), buffer_.dc(), r.left, r.top, SRCCOPY);
    ReleaseDC(window_, dc);
    if (first_present_) {
        auto hook = std::move(first_present_);
        first_present_ = nullptr;
        hook();
    }
}

}  // namespace gd
