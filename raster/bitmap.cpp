#include "raster/bitmap.h"

#include <algorithm>
#include <cstring>

namespace gd {

Bitmap::Bitmap(int width, int height, Pixel fill) {
    if (width <= 0 || height <= 0) return;
    owned_.assign(size_t(width) * size_t(height), fill);
    pixels_ = owned_.data();
    width_ = width;
    height_ = height;
    stride_ = width;
}

Bitmap Bitmap::View(Pixel* pixels, int width, int height, int stride) {
    Bitmap b;
    if (!pixels || width <= 0 || height <= 0 || stride < width) return b;
    b.pixels_ = pixels;
    b.width_ = width;
    b.height_ = height;
    b.stride_ = stride;
    return b;
}

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this == &other) return *this;
    width_ = other.width_;
    height_ = other.height_;
    if (other.owned_.empty()) {
        owned_.clear();
        pixels_ = other.pixels_;
        stride_ = other.stride_;
        return *this;
    }
    owned_.resize(size_t(width_) * size_t(height_));
    pixels_ = owned_.data();
    stride_ = width_;
    for (int y = 0; y < height_; ++y) std::memcpy(row(y), other.row(y), size_t(width_) * sizeof(Pixel));
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this == &other) return *this;
    bool view = other.owned_.empty();
    owned_ = std::move(other.owned_);
    pixels_ = view ? other.pixels_ : owned_.data();
    width_ = other.width_;
    height_ = other.height_;
    stride_ = other.stride_;
    other.owned_.clear();
    other.pixels_ = nullptr;
    other.width_ = other.height_ = other.stride_ = 0;
    return *this;
}

void Bitmap::Fill(const Rect& r, Pixel p) {
    Rect c = r.intersected(rect());
    for (int y = c.top; y < c.bottom; ++y) std::fill(row(y) + c.left, row(y) + c.right, p);
}

bool operator==(const Bitmap& a, const Bitmap& b) {
    if (a.width_ != b.width_ || a.height_ != b.height_) return false;
    for (int y = 0; y < a.height_; ++y)
        if (std::memcmp(a.row(y), b.row(y), size_t(a.width_) * sizeof(Pixel)) != 0) return false;
    return true;
}

}  // namespace gd
