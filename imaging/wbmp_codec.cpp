// WBMP (wireless bitmap, type 0): a multi-byte width and height, then 1-bit rows, most
// significant bit first, 0 black and 1 white. The format has no magic number, so the
// probe also asks for exactly the right amount of data.

#include <algorithm>

#include "common/byte_io.h"
#include "imaging/codec_list.h"

namespace gd {
namespace {

struct WbmpHeader {
    int64_t width = 0, height = 0;
    size_t data_offset = 0;
};

// Multi-byte integers: 7 bits a byte, high bit set on all but the last.
bool ReadMultiByte(ByteReader& r, int64_t& value) {
    value = 0;
    for (int i = 0; i < 5; ++i) {
        uint8_t b = r.U8();
        if (!r.ok()) return false;
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

bool ReadHeader(Bytes data, WbmpHeader& h) {
    ByteReader r(data);
    int64_t type = 0;
    if (!ReadMultiByte(r, type) || type != 0) return false;
    if (r.U8() != 0 || !r.ok()) return false;  // fixed header: no extensions
    if (!ReadMultiByte(r, h.width) || !ReadMultiByte(r, h.height)) return false;
    h.data_offset = r.position();
    return h.width > 0 && h.height > 0 && h.width <= 0x7FFFFFFF && h.height <= 0x7FFFFFFF;
}

}  // namespace

bool ProbeWbmp(Bytes data) {
    WbmpHeader h;
    if (!ReadHeader(data, h)) return false;
    uint64_t need = uint64_t((h.width + 7) / 8) * uint64_t(h.height);
    return data.size() - h.data_offset >= need;
}

Status WbmpInfo(Bytes data, ImageInfo& info) {
    WbmpHeader h;
    if (!ReadHeader(data, h)) return Status::Error("WBMP: bad header");
    info.width = int(std::min<int64_t>(h.width, 0x7FFFFFFF));
    info.height = int(std::min<int64_t>(h.height, 0x7FFFFFFF));
    info.bpp = 1;
    return {};
}

Status WbmpDecode(Bytes data, Dib& out) {
    WbmpHeader h;
    if (!ReadHeader(data, h)) return Status::Error("WBMP: bad header");
    const size_t row = size_t((h.width + 7) / 8);
    if ((data.size() - h.data_offset) / row < size_t(h.height)) return Status::Error("WBMP: truncated pixel data");
    if (Status s = AllocateDib(out, int(h.width), int(h.height), 1); !s) return s;
    out.palette = GreyRamp(2);
    for (int y = 0; y < out.height; ++y) std::copy_n(data.data() + h.data_offset + size_t(y) * row, row, out.top_row(y));
    return {};
}

}  // namespace gd
