// TGA (Truevision): colour-mapped, true-colour and grey pictures, uncompressed or
// run-length encoded, at 8, 15, 16, 24 and 32 bits, with either origin. Colour-mapped
// pictures keep their map as the palette; grey ones get a grey ramp; the rest are 24-bit,
// with an alpha plane when a 32-bit picture has alpha bits.

#include <algorithm>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

struct TgaHeader {
    int id_length, map_type, image_type, map_first, map_length, map_entry_bits;
    int width, height, depth, descriptor;
    bool rle() const { return image_type >= 9; }
    int kind() const { return image_type & 7; }  // 1 mapped, 2 true colour, 3 grey
    int bytes_per_pixel() const { return (depth + 7) / 8; }
};

TgaHeader ReadHeader(Bytes data) {
    ByteReader r(data);
    TgaHeader h{};
    h.id_length = r.U8();
    h.map_type = r.U8();
    h.image_type = r.U8();
    h.map_first = r.U16();
    h.map_length = r.U16();
    h.map_entry_bits = r.U8();
    r.U16(), r.U16();
    h.width = r.U16();
    h.height = r.U16();
    h.depth = r.U8();
    h.descriptor = r.U8();
    return h;
}

bool Plausible(const TgaHeader& h) {
    if (h.map_type > 1) return false;
    // A colour map may come with any picture type; its entries must have a known size.
    const bool known_entries = h.map_entry_bits == 15 || h.map_entry_bits == 16 || h.map_entry_bits == 24 || h.map_entry_bits == 32;
    if (h.map_type == 1 && !known_entries) return false;
    switch (h.image_type) {
    case 1: case 9: return h.map_type == 1 && h.depth == 8 && h.map_length > 0 && h.map_length <= 256;
    case 2: case 10: return h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
    case 3: case 11: return h.depth == 8 || h.depth == 16;
    default: return false;
    }
}

RgbQuad ColourOf(const uint8_t* p, int bits) {
    if (bits == 15 || bits == 16) {
        int v = p[0] | (p[1] << 8);
        auto scale = [](int c) { return uint8_t((c << 3) | (c >> 2)); };
        return MakeQuad(scale((v >> 10) & 31), scale((v >> 5) & 31), scale(v & 31));
    }
    return RgbQuad{p[0], p[1], p[2], 0};
}

// Expands the pixel stream (file order) into `pixels`; RLE packets may cross rows but
// not the end of the picture.
Status ReadPixels(const TgaHeader& h, ByteReader& r, std::vector<uint8_t>& pixels) {
    const size_t bpp = size_t(h.bytes_per_pixel());
    const size_t total = size_t(h.width) * size_t(h.height) * bpp;
    if (!h.rle()) {
        auto bytes = r.Bytes(total);
        if (!r.ok()) return Status::Error("TGA: truncated pixel data");
        pixels.assign(bytes.begin(), bytes.end());
        return {};
    }
    // A packet of 1 + bpp bytes gives at most 128 pixels: a picture the rest of the file
    // cannot fill is refused before its buffer is taken.
    if (total / bpp > r.remaining() / (1 + bpp) * 128 + 128) return Status::Error("TGA: truncated RLE data");
    pixels.resize(total);
    size_t at = 0;
    while (at < total) {
        uint8_t packet = r.U8();
        size_t count = size_t(packet & 0x7F) + 1;
        size_t room = (total - at) / bpp;
        if (count > room) return Status::Error("TGA: RLE data runs past the picture");
        if (packet & 0x80) {
            auto value = r.Bytes(bpp);
            if (!r.ok()) return Status::Error("TGA: truncated RLE data");
            for (size_t i = 0; i < std::min(count, room); ++i, at += bpp) std::copy(value.begin(), value.end(), pixels.begin() + std::ptrdiff_t(at));
        } else {
            auto values = r.Bytes(count * bpp);
            if (!r.ok()) return Status::Error("TGA: truncated RLE data");
            size_t n = std::min(count, room) * bpp;
            std::copy_n(values.begin(), n, pixels.begin() + std::ptrdiff_t(at));
            at += n;
        }
    }
    return {};
}

}  // namespace

bool ProbeTga(Bytes data) { return data.size() >= 18 && Plausible(ReadHeader(data)) && ReadHeader(data).width > 0 && ReadHeader(data).height > 0; }

Status TgaInfo(Bytes data, ImageInfo& info) {
    TgaHeader h = ReadHeader(data);
    if (!Plausible(h)) return Status::Error("TGA: unsupported header");
    info.width = h.width;
    info.height = h.height;
    info.bpp = h.kind() == 2 ? 24 : 8;
    return {};
}

Status TgaDecode(Bytes data, Dib& out) {
    TgaHeader h = ReadHeader(data);
    if (!Plausible(h)) return Status::Error("TGA: unsupported header");
    ByteReader r(data.subspan(18));
    r.Bytes(size_t(h.id_length));
    std::vector<RgbQuad> palette;
    if (h.map_type == 1) {
        size_t entry = size_t((h.map_entry_bits + 7) / 8);
        auto map = r.Bytes(size_t(h.map_length) * entry);
        if (!r.ok()) return Status::Error("TGA: truncated colour map");
        for (int i = 0; i < h.map_length; ++i) palette.push_back(ColourOf(map.data() + size_t(i) * entry, h.map_entry_bits));
    }
    // The stream is held at its own depth (two bytes a pixel for 16-bit grey) before the
    // picture is made: both must be within the limits.
    if (Status s = CheckImageSize(h.width, h.height, h.depth); !s) return s;
    std::vector<uint8_t> pixels;
    if (Status s = ReadPixels(h, r, pixels); !s) return s;

    const int kind = h.kind();
    if (Status s = AllocateDib(out, h.width, h.height, kind == 2 ? 24 : 8); !s) return s;
    if (kind == 1) std::copy_n(palette.begin(), std::min<size_t>(palette.size(), 256), out.palette.begin());
    if (kind == 3) out.palette = GreyRamp(256);
    const bool top_down = h.descriptor & 0x20, right_to_left = h.descriptor & 0x10;
    const size_t bpp = size_t(h.bytes_per_pixel());
    // A 32-bit picture keeps its fourth byte as opacity when the header gives it alpha bits.
    if (kind == 2 && h.depth == 32 && (h.descriptor & 0x0F) != 0) out.alpha.assign(size_t(h.width) * size_t(h.height), 255);
    const uint8_t* p = pixels.data();
    for (int row = 0; row < h.height; ++row) {
        uint8_t* dst = out.top_row(top_down ? row : h.height - 1 - row);
        for (int col = 0; col < h.width; ++col, p += bpp) {
            int x = right_to_left ? h.width - 1 - col : col;
            if (kind == 1) {
                int index = int(p[0]) - h.map_first;
                if (index < 0 || index >= h.map_length) return Status::Error("TGA: palette index out of range");
                dst[x] = uint8_t(index);
            } else if (kind == 3) {
                dst[x] = p[0];
            } else {
                RgbQuad c = ColourOf(p, h.depth);
                dst[x * 3] = c.blue, dst[x * 3 + 1] = c.green, dst[x * 3 + 2] = c.red;
                if (!out.alpha.empty()) out.alpha[size_t(top_down ? row : h.height - 1 - row) * size_t(h.width) + size_t(x)] = p[3];
            }
        }
    }
    DropUnusedAlpha(out, true);
    return {};
}

}  // namespace gd
