// PCX (ZSoft): 1-bit, 16-colour (one 4-bit plane or four 1-bit planes), 256-colour with
// the palette at the end, and 24-bit (three 8-bit planes), run-length encoded.

#include <algorithm>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

// The longest run one count byte gives.
constexpr uint64_t kLongestRun = 0x3F;

struct PcxHeader {
    int version, encoding, bits, width, height, planes, bytes_per_line;
    Bytes ega_palette;
};

Status ReadHeader(Bytes data, PcxHeader& h) {
    if (data.size() < 128) return Status::Error("PCX: truncated header");
    ByteReader r(data);
    r.U8();
    h.version = r.U8();
    h.encoding = r.U8();
    h.bits = r.U8();
    int xmin = r.U16(), ymin = r.U16(), xmax = r.U16(), ymax = r.U16();
    r.U16(), r.U16();
    h.ega_palette = r.Bytes(48);
    r.U8();
    h.planes = r.U8();
    h.bytes_per_line = r.U16();
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    bool known = (h.bits == 1 && (h.planes == 1 || h.planes == 4)) || (h.bits == 4 && h.planes == 1) ||
                 (h.bits == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4));
    if (!known) return Status::Error("PCX: unsupported layout of " + std::to_string(h.planes) + " planes of " + std::to_string(h.bits) + " bits");
    if (h.width <= 0 || h.height <= 0) return Status::Error("PCX: image has no pixels");
    if (int64_t(h.bytes_per_line) * 8 < int64_t(h.width) * h.bits) return Status::Error("PCX: rows shorter than the width");
    return {};
}

int OutputBits(const PcxHeader& h) { return h.bits == 8 && h.planes >= 3 ? 24 : h.bits * h.planes; }

}  // namespace

bool ProbePcx(Bytes data) { return data.size() >= 128 && data[0] == 0x0A && data[1] <= 5 && data[2] <= 1; }

Status PcxInfo(Bytes data, ImageInfo& info) {
    PcxHeader h;
    if (Status s = ReadHeader(data, h); !s) return s;
    info.width = h.width;
    info.height = h.height;
    info.bpp = OutputBits(h);
    return {};
}

Status PcxDecode(Bytes data, Dib& out) {
    PcxHeader h;
    if (Status s = ReadHeader(data, h); !s) return s;
    const size_t line = size_t(h.planes) * size_t(h.bytes_per_line);
    if (uint64_t(line) * uint64_t(h.height) > kMaxImageBytes) return Status::Error("PCX: image too large");
    // Every stored byte of every row must come from the data: a pair of bytes gives at
    // most 63 of them, a single byte one. Data that cannot fill the rows is refused here,
    // before memory for the whole picture is taken.
    const uint64_t payload = data.size() - 128;
    const uint64_t most = h.encoding == 1 ? payload / 2 * kLongestRun + payload % 2 : payload;
    if (uint64_t(line) * uint64_t(h.height) > most) return Status::Error("PCX: truncated pixel data");
    if (Status s = AllocateDib(out, h.width, h.height, OutputBits(h)); !s) return s;

    std::vector<uint8_t> raw(line * size_t(h.height));
    ByteReader r(data.subspan(128));
    for (size_t at = 0; at < raw.size();) {
        uint8_t c = r.U8();
        size_t count = 1;
        if (h.encoding == 1 && (c & 0xC0) == 0xC0) {
            count = c & kLongestRun;
            c = r.U8();
        }
        if (!r.ok()) return Status::Error("PCX: truncated pixel data");
        if (count > raw.size() - at) return Status::Error("PCX: RLE data runs past the picture");
        std::fill_n(raw.begin() + std::ptrdiff_t(at), count, c);
        at += count;
    }

    if (h.bits == 8 && h.planes == 1) {
        // 256 colours follow a 0x0C byte at the very end; without them the picture is grey.
        if (data.size() >= 128 + 769 && data[data.size() - 769] == 0x0C) {
            const uint8_t* p = data.data() + data.size() - 768;
            for (int i = 0; i < 256; ++i) out.palette[size_t(i)] = MakeQuad(p[i * 3], p[i * 3 + 1], p[i * 3 + 2]);
        } else {
            out.palette = GreyRamp(256);
        }
    } else if (out.bpp == 1) {
        out.palette = GreyRamp(2);
    } else if (out.bpp == 4) {
        for (int i = 0; i < 16; ++i) out.palette[size_t(i)] = MakeQuad(h.ega_palette[size_t(i) * 3], h.ega_palette[size_t(i) * 3 + 1], h.ega_palette[size_t(i) * 3 + 2]);
    }

    const size_t bpl = size_t(h.bytes_per_line);
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* src = raw.data() + size_t(y) * line;
        uint8_t* dst = out.top_row(y);
        if (out.bpp == 24) {
            for (int x = 0; x < h.width; ++x) {
                dst[x * 3 + 2] = src[x];
                dst[x * 3 + 1] = src[bpl + size_t(x)];
                dst[x * 3] = src[2 * bpl + size_t(x)];
            }
        } else if (h.planes == 4) {
            // Four bit planes: plane p gives bit p of each pixel's index.
            for (int x = 0; x < h.width; ++x) {
                int index = 0;
                for (int p = 0; p < 4; ++p) index |= ((src[size_t(p) * bpl + size_t(x >> 3)] >> (7 - (x & 7))) & 1) << p;
                out.set_index(x, y, index);
            }
        } else {
            std::copy_n(src, std::min(bpl, out.row_size()), dst);
        }
    }
    return {};
}

}  // namespace gd
