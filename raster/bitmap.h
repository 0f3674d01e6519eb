#pragma once
// A 32-bit surface, top-down in memory. It either owns its pixels or views memory that
// someone else owns (a DIB section on Windows), so the platform can draw into a frame
// and blit the window buffer without a copy. Copying an owning Bitmap copies its pixels;
// copying a view copies the view.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "raster/geometry.h"
#include "raster/pixel.h"

namespace gd {

class Bitmap {
public:
    Bitmap() = default;
    // An owning bitmap filled with `fill`; negative sizes give an empty bitmap.
    Bitmap(int width, int height, Pixel fill = 0);
    // A view of `pixels`, `stride` pixels from one row to the next.
    static Bitmap View(Pixel* pixels, int width, int height, int stride);

    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    bool is_view() const { return pixels_ != nullptr && owned_.empty(); }
    Rect rect() const { return {0, 0, width_, height_}; }

    Pixel* row(int y) { return pixels_ + std::ptrdiff_t(y) * stride_; }
    const Pixel* row(int y) const { return pixels_ + std::ptrdiff_t(y) * stride_; }
    Pixel* data() { return pixels_; }
    const Pixel* data() const { return pixels_; }

    // Unchecked: callers keep (x, y) inside rect().
    Pixel pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, Pixel p) { row(y)[x] = p; }

    // Fills the part of `r` inside the bitmap.
    void Fill(const Rect& r, Pixel p);
    void Fill(Pixel p) { Fill(rect(), p); }

    friend bool operator==(const Bitmap& a, const Bitmap& b);

private:
    std::vector<Pixel> owned_;
    Pixel* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

}  // namespace gd
