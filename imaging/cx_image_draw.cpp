// Drawing a CxImage into a Bitmap: both scalings map every visible destination column
// and row to a source column and row once, then one worker copies through the maps.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/cx_image.h"

namespace gd {
namespace {

// The part of the destination rectangle (x, y, w, h) inside `bounds`, computed in 64
// bits so that huge sizes or offsets cannot overflow.
Rect VisiblePart(int x, int y, int w, int h, const Rect& bounds) {
    int64_t l = std::max<int64_t>(x, bounds.left), t = std::max<int64_t>(y, bounds.top);
    int64_t r = std::min<int64_t>(int64_t(x) + w, bounds.right), b = std::min<int64_t>(int64_t(y) + h, bounds.bottom);
    if (r <= l || b <= t) return {};
    return {int(l), int(t), int(r), int(b)};
}

std::array<Pixel, 256> PaletteLookup(const Dib& dib) {
    std::array<Pixel, 256> lut{};
    for (size_t i = 0; i < dib.palette.size() && i < lut.size(); ++i)
        lut[i] = MakePixel(dib.palette[i].red, dib.palette[i].green, dib.palette[i].blue);
    return lut;
}

// One row of CopyMapped without blending.
void CopyRow(const Dib& dib, const uint8_t* src, const std::vector<int>& cols, const std::array<Pixel, 256>& lut,
             int transparent, Pixel* dst, int n) {
    if (dib.bpp == 24) {
        for (int i = 0; i < n; ++i) {
            const uint8_t* p = src + size_t(cols[size_t(i)]) * 3;
            dst[i] = MakePixel(p[2], p[1], p[0]);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        int sx = cols[size_t(i)];
        int index = dib.bpp == 8 ? src[sx]
                  : dib.bpp == 4 ? ((sx & 1) ? src[sx >> 1] & 0x0F : src[sx >> 1] >> 4)
                                 : (src[sx >> 3] >> (7 - (sx & 7))) & 1;
        if (index == transparent) continue;
        dst[i] = lut[size_t(index)];
    }
}

Pixel Blend(Pixel over, Pixel under, int a) {
    return MakePixel(BlendChannel(PixelRed(over), PixelRed(under), a), BlendChannel(PixelGreen(over), PixelGreen(under), a),
                     BlendChannel(PixelBlue(over), PixelBlue(under), a));
}

// Blends the pixels CopyMapped wrote in one row over what the row held before.
void BlendRow(const Dib& dib, int source_row, const std::vector<int>& cols, const std::vector<Pixel>& before, Pixel* row) {
    const uint8_t* opacity = dib.alpha.data() + size_t(source_row) * size_t(dib.width);
    for (size_t i = 0; i < before.size(); ++i) row[i] = Blend(row[i], before[i], opacity[size_t(cols[i])]);
}

// Copies source pixels into target's `visible` part: destination column visible.left + k
// takes source column cols[k], destination row visible.top + k takes source row rows[k]
// (both counted from the picture's top-left). A picture with an alpha plane is blended
// over what the target holds. Callers clip `visible` to the target.
void CopyMapped(const Dib& dib, Bitmap& target, const Rect& visible, const std::vector<int>& cols,
                const std::vector<int>& rows) {
    const auto lut = PaletteLookup(dib);
    const int transparent = dib.bpp == 24 ? -1 : dib.transparent;
    const bool blend = !dib.alpha.empty();
    std::vector<Pixel> before;
    for (int k = 0; k < visible.height(); ++k) {
        const uint8_t* src = dib.top_row(rows[size_t(k)]);
        Pixel* dst = target.row(visible.top + k) + visible.left;
        const int n = visible.width();
        if (blend) before.assign(dst, dst + n);
        CopyRow(dib, src, cols, lut, transparent, dst, n);
        if (blend) BlendRow(dib, rows[size_t(k)], cols, before, dst);
    }
}

}  // namespace

bool CxImage::Draw(Bitmap& target, int x, int y, int width, int height, const Rect* clip) const {
    if (!IsValid() || !enabled_) return false;
    const int w = dib_.width, h = dib_.height;
    if (width < 0) width = w;
    if (height < 0) height = h;
    if (width == 0 || height == 0) return false;
    Rect bounds = target.rect();
    if (clip) bounds.intersect(*clip);
    Rect visible = VisiblePart(x, y, width, height, bounds);
    if (visible.is_empty()) return true;

    const bool own_size = width == w && height == h;
    std::vector<int> cols(size_t(visible.width())), rows(size_t(visible.height()));
    for (size_t k = 0; k < cols.size(); ++k) {
        int64_t i = int64_t(visible.left) - x + int64_t(k);
        int sx = own_size ? int(i) : int(std::floor(double(i) * w / width));
        cols[k] = std::clamp(sx, 0, w - 1);
    }
    for (size_t k = 0; k < rows.size(); ++k) {
        int64_t j = int64_t(visible.top) - y + int64_t(k);
        int sy = own_size ? int(j) : int(std::ceil(double(j + 1) * h / height)) - 1;
        rows[k] = std::clamp(sy, 0, h - 1);
    }
    CopyMapped(dib_, target, visible, cols, rows);
    return true;
}

bool CxImage::Draw2(Bitmap& target, int x, int y, int width, int height) const {
    if (!IsValid() || !enabled_) return false;
    const int w = dib_.width, h = dib_.height;
    if (width < 0) width = w;
    if (height < 0) height = h;
    if (width == 0 || height == 0) return false;
    Rect visible = VisiblePart(x, y, width, height, target.rect());
    if (visible.is_empty()) return true;

    std::vector<int> cols(size_t(visible.width())), rows(size_t(visible.height()));
    for (size_t k = 0; k < cols.size(); ++k) {
        int64_t i = int64_t(visible.left) - x + int64_t(k);
        cols[k] = int(std::clamp<int64_t>(i * w / width, 0, w - 1));
    }
    for (size_t k = 0; k < rows.size(); ++k) {
        int64_t j = int64_t(visible.top) - y + int64_t(k);
        rows[k] = int(std::clamp<int64_t>(j * h / height, 0, h - 1));
    }
    CopyMapped(dib_, target, visible, cols, rows);
    return true;
}

}  // namespace gd
