#include "imaging/dib.h"

#include <algorithm>
#include <new>
#include <string>

#include "imaging/limits.h"

namespace gd {

int Dib::index_at(int x, int y) const {
    const uint8_t* row = top_row(y);
    switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 8: return row[x];
    default: return 0;
    }
}

void Dib::set_index(int x, int y, int index) {
    uint8_t* row = top_row(y);
    switch (bpp) {
    case 1: {
        uint8_t mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (index & 1) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
        break;
    }
    case 4:
        if (x & 1) row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
        else row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    case 8: row[x] = uint8_t(index); break;
    default: break;
    }
}

Status AllocateDib(Dib& dib, int width, int height, int bits) {
    int bpp = RoundDibBits(bits);
    if (Status s = CheckImageSize(width, height, bpp); !s) return s;
    Dib fresh;
    fresh.width = width;
    fresh.height = height;
    fresh.bpp = bpp;
    // The pixel storage the picture had is filled again when it is large enough: no fresh
    // memory (and no page faults on it) for a picture decoded where another one was.
    // Storage too small goes before the new is taken, so the peak stays one picture.
    const size_t size = fresh.row_size() * size_t(height);
    fresh.bits = std::move(dib.bits);
    if (fresh.bits.capacity() < size) fresh.bits = std::vector<uint8_t>();
    try {
        fresh.palette.assign(size_t(DibPaletteSize(bpp)), RgbQuad{});
        fresh.bits.assign(size, 0);
    } catch (const std::bad_alloc&) {
        dib = Dib{};
        return Status::Error("Not enough memory for the image");
    }
    dib = std::move(fresh);
    return {};
}

Status DibFromIndices(Dib& dib, int width, int height, std::span<const uint8_t> indices,
                      std::span<const RgbQuad> palette) {
    int bits = palette.size() <= 2 ? 1 : palette.size() <= 16 ? 4 : 8;
    if (indices.size() < size_t(width) * size_t(height)) return Status::Error("Image data too short");
    if (Status s = AllocateDib(dib, width, height, bits); !s) return s;
    std::copy_n(palette.begin(), std::min(palette.size(), dib.palette.size()), dib.palette.begin());
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = indices.data() + size_t(y) * size_t(width);
        if (dib.bpp == 8) {
            std::copy_n(src, width, dib.top_row(y));
        } else {
            for (int x = 0; x < width; ++x) dib.set_index(x, y, src[x]);
        }
    }
    return {};
}

Status CheckPaletteIndices(const Dib& dib, size_t colours, const char* format) {
    if (dib.bpp > 8 || colours >= (size_t(1) << dib.bpp)) return {};
    for (int y = 0; y < dib.height; ++y) {
        const uint8_t* row = dib.top_row(y);
        for (int x = 0; x < dib.width; ++x) {
            int index = dib.bpp == 8 ? row[x] : dib.index_at(x, y);
            if (size_t(index) >= colours) return Status::Error(std::string(format) + ": palette index out of range");
        }
    }
    return {};
}

void DropUnusedAlpha(Dib& dib, bool zero_is_unused) {
    auto all = [&](uint8_t v) { return std::all_of(dib.alpha.begin(), dib.alpha.end(), [v](uint8_t a) { return a == v; }); };
    if (all(255) || (zero_is_unused && all(0))) dib.alpha.clear();
}

Status FlattenAlpha(Dib& dib, RgbQuad background) {
    if (dib.alpha.empty()) return {};
    Dib flat;
    if (Status s = AllocateDib(flat, dib.width, dib.height, 24); !s) return s;
    for (int y = 0; y < dib.height; ++y) {
        const uint8_t* opacity = dib.alpha.data() + size_t(y) * size_t(dib.width);
        const uint8_t* src = dib.top_row(y);
        uint8_t* dst = flat.top_row(y);
        for (int x = 0; x < dib.width; ++x, dst += 3) {
            RgbQuad c;
            if (dib.bpp == 24) c = RgbQuad{src[x * 3], src[x * 3 + 1], src[x * 3 + 2], 0};
            else if (size_t i = size_t(dib.index_at(x, y)); i < dib.palette.size()) c = dib.palette[i];
            const int a = opacity[x];
            dst[0] = BlendChannel(c.blue, background.blue, a);
            dst[1] = BlendChannel(c.green, background.green, a);
            dst[2] = BlendChannel(c.red, background.red, a);
        }
    }
    dib = std::move(flat);
    return {};
}

bool IsGreyRamp(std::span<const RgbQuad> palette) {
    size_t n = palette.size();
    if (n < 2) return false;
    for (size_t i = 0; i < n; ++i) {
        int level = int(i * 255 / (n - 1));
        const RgbQuad& q = palette[i];
        if (q.red != level || q.green != level || q.blue != level) return false;
    }
    return true;
}

std::vector<RgbQuad> GreyRamp(int entries) {
    std::vector<RgbQuad> p(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i) {
        uint8_t v = uint8_t(entries > 1 ? i * 255 / (entries - 1) : 0);
        p[size_t(i)] = MakeQuad(v, v, v);
    }
    return p;
}

}  // namespace gd
