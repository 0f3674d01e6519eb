#pragma once
// A top-down 32-bit DIB section selected into its own memory drawing context: GDI can
// draw into it (text) and blit from it, and a Bitmap views its pixels without a copy.

#include <windows.h>

#include "raster/bitmap.h"

namespace gd {

class DibSurface {
public:
    // An empty surface (no pixels) when the size is not positive or GDI refuses.
    DibSurface(int width, int height);
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return dc_; }
    // A view of the pixels; valid as long as the surface.
    Bitmap View() const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    Pixel* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace gd
