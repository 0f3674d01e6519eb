#include "imaging/bmp_dib.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "common/byte_io.h"
#include "imaging/limits.h"

namespace gd {
namespace {

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct Header {
    uint32_t size = 0;
    int64_t width = 0, height = 0;
    bool top_down = false;
    int bpp = 0;
    uint32_t compression = kRgb;
    uint32_t colors_used = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t colors_offset = 0;  // where the colour table starts
    int color_entry = 4;       // bytes per colour table entry
};

Status ReadHeader(const DibSource& src, Header& h) {
    ByteReader r(src.header);
    h.size = r.U32();
    if (!r.ok()) return Status::Error("BMP: truncated header");
    if (h.size == 12) {
        h.width = r.U16();
        h.height = int16_t(r.U16());
        r.U16();
        h.bpp = r.U16();
        h.color_entry = 3;
    } else if (h.size >= 40 && h.size <= 124) {
        h.width = r.I32();
        h.height = r.I32();
        r.U16();
        h.bpp = r.U16();
        h.compression = r.U32();
        r.U32(), r.U32(), r.U32();
        h.colors_used = r.U32();
        r.U32();
        if (h.size >= 52) h.masks[0] = r.U32(), h.masks[1] = r.U32(), h.masks[2] = r.U32();
        if (h.size >= 56) h.masks[3] = r.U32();
    } else {
        return Status::Error("BMP: unknown header size " + std::to_string(h.size));
    }
    if (!r.ok() || src.header.size() < h.size) return Status::Error("BMP: truncated header");
    h.colors_offset = h.size;
    if ((h.compression == kBitFields || h.compression == kAlphaBitFields) && h.size == 40) {
        ByteReader m(src.header.subspan(40));
        h.masks[0] = m.U32(), h.masks[1] = m.U32(), h.masks[2] = m.U32();
        if (h.compression == kAlphaBitFields) h.masks[3] = m.U32();
        if (!m.ok()) return Status::Error("BMP: truncated colour masks");
        h.colors_offset += h.compression == kAlphaBitFields ? 16 : 12;
    }
    if (h.height < 0) {
        if (h.height == std::numeric_limits<int32_t>::min()) return Status::Error("BMP: bad height");
        h.height = -h.height;
        h.top_down = true;
    }
    if (src.icon) h.height /= 2;
    if (h.width < 0) return Status::Error("BMP: negative width");
    switch (h.bpp) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return Status::Error("BMP: unsupported bit count " + std::to_string(h.bpp));
    }
    bool rle = h.compression == kRle8 || h.compression == kRle4;
    if (rle && ((h.compression == kRle8) != (h.bpp == 8)) && !(h.compression == kRle4 && h.bpp == 4))
        return Status::Error("BMP: RLE compression does not match the bit count");
    if (h.compression != kRgb && !rle && h.compression != kBitFields && h.compression != kAlphaBitFields)
        return Status::Error("BMP: unsupported compression " + std::to_string(h.compression));
    if (rle && h.top_down) return Status::Error("BMP: top-down RLE bitmap");
    return {};
}

// A bit-field channel as a shift and a scale to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    uint8_t operator()(uint32_t v) const { return max ? uint8_t(((v & mask) >> shift) * 255 / max) : 0; }
};

Channel MakeChannel(uint32_t mask) {
    Channel c{mask};
    if (!mask) return c;
    while (!((mask >> c.shift) & 1)) ++c.shift;
    c.max = mask >> c.shift;
    return c;
}

// One row of 16 or 32-bit pixels through their channel masks (red, green, blue, alpha);
// the opacities go to `opacity` when there is a place for them.
void DecodeRowMasked(const uint8_t* src, uint8_t* dst, uint8_t* opacity, int64_t width, int bpp, const Channel ch[4]) {
    for (int64_t x = 0; x < width; ++x, dst += 3) {
        uint32_t v = bpp == 16 ? ReadU16(src + x * 2) : ReadU32(src + x * 4);
        dst[0] = ch[2](v);
        dst[1] = ch[1](v);
        dst[2] = ch[0](v);
        if (opacity) opacity[x] = ch[3](v);
    }
}

// Runs of RLE8 / RLE4 into a palette picture of width x height, whose other pixels keep
// index 0; with no picture (`out` null) the data is only checked. Runs or moves past the
// picture's edges, indices past the `colours` of the table, and data that runs out
// before the last row or the end-of-picture mark, mean a damaged file and fail the decode. Only the pixels the data
// writes are checked, so the work stays bounded by the data even when a few bytes
// announce a huge picture; a check first keeps such a picture from being allocated.
Status DecodeRle(Bytes data, bool four_bits, size_t colours, int width, int height, Dib* out) {
    ByteReader r(data);
    int x = 0, y = 0;  // y counts rows from the bottom, as stored
    bool overrun = false, bad_index = false;
    auto put = [&](int index) {
        if (x < width && y < height) {
            if (out) out->set_index(x, height - 1 - y, index);
        } else {
            overrun = true;
        }
        if (size_t(index) >= colours) bad_index = true;
        ++x;
    };
    while (y < height) {
        uint8_t count = r.U8(), value = r.U8();
        if (!r.ok()) return Status::Error("BMP: truncated RLE data");
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four_bits ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            if (overrun) return Status::Error("BMP: RLE data runs past the picture");
            if (bad_index) return Status::Error("BMP: palette index out of range");
            continue;
        }
        if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            return {};
        } else if (value == 2) {
            x += r.U8();
            y += r.U8();
            if (!r.ok()) return Status::Error("BMP: truncated RLE data");
            if (x > width || y > height) return Status::Error("BMP: RLE data runs past the picture");
        } else {
            int n = value;
            size_t bytes = four_bits ? size_t(n + 1) / 2 : size_t(n);
            auto literal = r.Bytes(bytes + (bytes & 1));
            if (!r.ok()) return Status::Error("BMP: truncated RLE data");
            for (int i = 0; i < n; ++i) put(four_bits ? ((i & 1) ? literal[size_t(i / 2)] & 0x0F : literal[size_t(i / 2)] >> 4) : literal[size_t(i)]);
            if (overrun) return Status::Error("BMP: RLE data runs past the picture");
            if (bad_index) return Status::Error("BMP: palette index out of range");
        }
    }
    return {};
}

}  // namespace

Status DibHeaderInfo(const DibSource& source, ImageInfo& info) {
    Header h;
    if (Status s = ReadHeader(source, h); !s) return s;
    info.width = int(std::min<int64_t>(h.width, std::numeric_limits<int>::max()));
    info.height = int(std::min<int64_t>(h.height, std::numeric_limits<int>::max()));
    info.bpp = h.bpp <= 8 ? h.bpp : 24;
    return {};
}

Status DecodeDibBody(const DibSource& src, Dib& out) {
    Header h;
    if (Status s = ReadHeader(src, h); !s) return s;
    if (Status s = CheckImageSize(h.width, h.height, h.bpp <= 8 ? h.bpp : 24); !s) return s;
    const int width = int(h.width), height = int(h.height);

    std::vector<RgbQuad> colors;
    if (h.bpp <= 8) {
        size_t count = h.colors_used ? std::min<size_t>(h.colors_used, 256) : size_t(1) << h.bpp;
        ByteReader r(src.header.subspan(std::min(h.colors_offset, src.header.size())));
        auto table = r.Bytes(count * size_t(h.color_entry));
        if (!r.ok()) return Status::Error("BMP: truncated colour table");
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = table.data() + i * size_t(h.color_entry);
            colors.push_back(RgbQuad{e[0], e[1], e[2], 0});
        }
        h.colors_offset += count * size_t(h.color_entry);
    }
    int64_t bits_at = src.bits_offset >= 0 ? src.bits_offset : int64_t(h.colors_offset);
    if (bits_at > int64_t(src.header.size())) return Status::Error("BMP: pixel data outside the file");
    Bytes bits = src.header.subspan(size_t(bits_at));

    // Damaged pixel data is refused before the picture's memory is taken.
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    const size_t stride = DibRowSize(width, h.bpp);
    if (rle) {
        if (Status s = DecodeRle(bits, h.compression == kRle4, colors.size(), width, height, nullptr); !s) return s;
    } else if (bits.size() / stride < size_t(height)) {
        return Status::Error("BMP: truncated pixel data");
    }

    if (Status s = AllocateDib(out, width, height, h.bpp <= 8 ? h.bpp : 24); !s) return s;
    std::copy_n(colors.begin(), std::min(colors.size(), out.palette.size()), out.palette.begin());
    if (rle) return DecodeRle(bits, h.compression == kRle4, colors.size(), width, height, &out);
    Channel ch[4];
    bool masked = h.bpp == 16 || h.bpp == 32;
    if (masked) {
        bool given = h.compression == kBitFields || h.compression == kAlphaBitFields;
        uint32_t defaults16[4] = {0x7C00, 0x03E0, 0x001F, 0}, defaults32[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        for (int i = 0; i < 4; ++i) ch[i] = MakeChannel(given ? h.masks[i] : h.bpp == 16 ? defaults16[i] : defaults32[i]);
        // The fourth byte of a plain 32-bit picture is opacity when any pixel sets it.
        if (ch[3].mask) out.alpha.assign(size_t(width) * size_t(height), 0);
    }
    for (int row = 0; row < height; ++row) {
        const uint8_t* s = bits.data() + size_t(row) * stride;
        int y = h.top_down ? row : height - 1 - row;  // picture row from the top
        uint8_t* d = out.top_row(y);
        uint8_t* opacity = out.alpha.empty() ? nullptr : out.alpha.data() + size_t(y) * size_t(width);
        if (masked) DecodeRowMasked(s, d, opacity, width, h.bpp, ch);
        else std::memcpy(d, s, out.row_size());
    }
    DropUnusedAlpha(out, true);
    return h.bpp <= 8 ? CheckPaletteIndices(out, colors.size(), "BMP") : Status{};
}

}  // namespace gd
