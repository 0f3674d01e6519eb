#include "imaging/exif_orientation.h"

#include <cstring>
#include <utility>

#include "imaging/exif_fields.h"

namespace gd {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;

int OrientationOf(std::optional<TiffFields> fields) {
    if (!fields) return 1;
    const int v = fields->Short(fields->FirstDirectory(), kOrientationTag).value_or(1);
    return v >= 1 && v <= 8 ? v : 1;
}

}  // namespace

int ReadTiffOrientation(Bytes exif) { return OrientationOf(TiffFields::Open(exif)); }

int ReadExifOrientation(Bytes jpeg) {
    const std::optional<Bytes> exif = JpegExifBlock(jpeg);
    return exif ? OrientationOf(TiffFields::Open(*exif)) : 1;
}

Status OrientDib(Dib& dib, int orientation) {
    if (orientation < 2 || orientation > 8 || (dib.bpp != 8 && dib.bpp != 24)) return {};
    const int w = dib.width, h = dib.height;
    const bool swaps = orientation >= 5;
    Dib turned;
    if (Status s = AllocateDib(turned, swaps ? h : w, swaps ? w : h, dib.bpp); !s) return s;
    turned.palette = dib.palette;
    turned.transparent = dib.transparent;
    if (!dib.alpha.empty()) turned.alpha.resize(dib.alpha.size());
    const size_t bytes = size_t(dib.bpp / 8);
    for (int ty = 0; ty < turned.height; ++ty) {
        uint8_t* dst = turned.top_row(ty);
        for (int tx = 0; tx < turned.width; ++tx, dst += bytes) {
            int sx = tx, sy = ty;
            switch (orientation) {
            case 2: sx = w - 1 - tx; break;
            case 3: sx = w - 1 - tx; sy = h - 1 - ty; break;
            case 4: sy = h - 1 - ty; break;
            case 5: sx = ty; sy = tx; break;
            case 6: sx = ty; sy = h - 1 - tx; break;
            case 7: sx = w - 1 - ty; sy = h - 1 - tx; break;
            case 8: sx = w - 1 - ty; sy = tx; break;
            }
            std::memcpy(dst, dib.top_row(sy) + size_t(sx) * bytes, bytes);
            if (!turned.alpha.empty())
                turned.alpha[size_t(ty) * size_t(turned.width) + size_t(tx)] = dib.alpha[size_t(sy) * size_t(w) + size_t(sx)];
        }
    }
    dib = std::move(turned);
    return {};
}

void ApplyExifOrientation(Bytes jpeg, Dib& dib) { OrientDib(dib, ReadExifOrientation(jpeg)); }

}  // namespace gd
