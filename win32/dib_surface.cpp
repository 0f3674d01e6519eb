#include "win32/dib_surface.h"

namespace gd {

DibSurface::DibSurface(int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as a Bitmap
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc_) return;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
        DeleteDC(dc_);
        dc_ = nullptr;
        return;
    }
    previous_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
}

DibSurface::~DibSurface() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

Bitmap DibSurface::View() const { return Bitmap::View(pixels_, width_, height_, width_); }

}  // namespace gd
