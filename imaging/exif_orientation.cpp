#include "imaging/exif_orientation.h"

#include <cstring>
#include <utility>

namespace gd {
namespace {

struct TiffReader {
    Bytes tiff;
    bool big_endian;
    bool Has(size_t at, size_t n) const { return at <= tiff.size() && n <= tiff.size() - at; }
    uint16_t U16(size_t at) const {
        return big_endian ? uint16_t((tiff[at] << 8) | tiff[at + 1]) : uint16_t(tiff[at] | (tiff[at + 1] << 8));
    }
    uint32_t U32(size_t at) const {
        return big_endian ? (uint32_t(U16(at)) << 16) | U16(at + 2) : uint32_t(U16(at)) | (uint32_t(U16(at + 2)) << 16);
    }
};

int OrientationFromTiff(Bytes tiff) {
    if (tiff.size() < 8) return 1;
    TiffReader r{tiff, tiff[0] == 'M'};
    if (!((tiff[0] == 'I' && tiff[1] == 'I') || (tiff[0] == 'M' && tiff[1] == 'M'))) return 1;
    size_t ifd = r.U32(4);
    if (!r.Has(ifd, 2)) return 1;
    int count = r.U16(ifd);
    for (int i = 0; i < count; ++i) {
        size_t entry = ifd + 2 + size_t(i) * 12;
        if (!r.Has(entry, 12)) return 1;
        if (r.U16(entry) == 0x0112 && r.U16(entry + 2) == 3) {
            int v = r.U16(entry + 8);
            return v >= 1 && v <= 8 ? v : 1;
        }
    }
    return 1;
}

}  // namespace

int ReadTiffOrientation(Bytes exif) {
    if (exif.size() > 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) exif = exif.subspan(6);
    return OrientationFromTiff(exif);
}

int ReadExifOrientation(Bytes jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return 1;
    size_t pos = 2;
    // The EXIF block sits among the first markers, before the first scan.
    while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF) {
        uint8_t marker = jpeg[pos + 1];
        if (marker == 0xDA || marker == 0xD9) break;
        size_t length = size_t(jpeg[pos + 2] << 8) | jpeg[pos + 3];
        if (length < 2 || pos + 2 + length > jpeg.size()) break;
        Bytes body = jpeg.subspan(pos + 4, length - 2);
        if (marker == 0xE1 && body.size() > 6 && std::memcmp(body.data(), "Exif\0\0", 6) == 0)
            return OrientationFromTiff(body.subspan(6));
        pos += 2 + length;
    }
    return 1;
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
