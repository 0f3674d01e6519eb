// JPEG for the runtime, decoded by stb_image: grey pictures become 8-bit with a grey
// ramp, colour pictures 24-bit.

#include <algorithm>
#include <memory>
#include <string>

#include <stb_image.h>

#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

std::string StbError(const char* what) {
    const char* reason = stbi_failure_reason();
    return std::string(what) + ": " + (reason ? reason : "corrupt data");
}

// stb_image builds each Huffman table into arrays of 256 codes without checking the
// table's code count, which a damaged file may put at up to 4080: its writes then run
// far past the arrays. Every table stb could read is checked here first, walking the
// markers as stb does: a segment's length, or, in entropy-coded data, the next 0xFF
// that is neither a stuffed zero nor a restart marker. Bytes past the end read as 0.
bool HuffmanTablesFit(Bytes data) {
    auto at = [&](size_t i) -> uint32_t { return i < data.size() ? data[i] : 0; };
    size_t i = 0;
    while (i + 1 < data.size()) {
        if (data[i] != 0xFF) {
            ++i;
            continue;
        }
        size_t m = i + 1;
        while (m < data.size() && data[m] == 0xFF) ++m;  // fill bytes
        const uint32_t marker = at(m);
        i = m + 1;
        const bool no_length = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
        if (no_length || i + 2 > data.size()) continue;
        const size_t length = (at(i) << 8) | at(i + 1);
        if (marker == 0xC4) {
            // The tables as stb reads them: a class/slot byte, 16 counts, the symbols.
            size_t p = i + 2;
            for (int64_t left = int64_t(length) - 2; left > 0;) {
                const uint32_t q = at(p);
                if ((q >> 4) > 1 || (q & 15) > 3) return true;  // stb stops here
                uint32_t codes = 0;
                for (size_t k = 1; k <= 16; ++k) codes += at(p + k);
                if (codes > 256) return false;
                p += 17 + codes;
                left -= 17 + int64_t(codes);
            }
        }
        i += length;  // the segment; after a scan header the entropy-coded data follows
    }
    return true;
}

}  // namespace

// stb fills missing data with zeros and reports success; a JPEG without its end marker
// is a truncated file and is refused, as the maker's decoder does.
static bool HasEndMarker(Bytes data) {
    for (size_t i = data.size(); i-- > 3;)
        if (data[i - 1] == 0xFF && data[i] == 0xD9) return true;
    return false;
}

Status StbJpegInfo(Bytes data, ImageInfo& info) {
    if (!HuffmanTablesFit(data)) return Status::Error("JPEG: bad Huffman table");
    int w = 0, h = 0, comp = 0;
    if (data.size() > 0x7FFFFFFF || !stbi_info_from_memory(data.data(), int(data.size()), &w, &h, &comp))
        return Status::Error(StbError("JPEG"));
    info.width = w;
    info.height = h;
    info.bpp = comp == 1 ? 8 : 24;
    return {};
}

Status StbJpegDecode(Bytes data, Dib& out) {
    ImageInfo info;
    if (Status s = StbJpegInfo(data, info); !s) return s;
    if (!HasEndMarker(data)) return Status::Error("JPEG: premature end of data");
    // stb makes up whatever the data does not reach, and a few hundred bytes can announce
    // a picture that takes it seconds to make up.
    if (Status s = CheckDataCanFill(info.width, info.height, data.size(), kJpegMostPixelsPerByte, "JPEG"); !s) return s;
    int want = info.bpp == 8 ? 1 : 3;
    // stb keeps a plane per component and its output at once.
    if (Status s = CheckWorkingMemory(info.width, info.height, 2 * want); !s) return s;
    int w = 0, h = 0, comp = 0;
    std::unique_ptr<unsigned char, StbFree> pixels(stbi_load_from_memory(data.data(), int(data.size()), &w, &h, &comp, want));
    if (!pixels) return Status::Error(StbError("JPEG"));
    if (Status s = AllocateDib(out, w, h, want * 8); !s) return s;
    if (want == 1) out.palette = GreyRamp(256);
    for (int y = 0; y < h; ++y) {
        const unsigned char* src = pixels.get() + size_t(y) * size_t(w) * size_t(want);
        uint8_t* dst = out.top_row(y);
        if (want == 1) {
            std::copy_n(src, w, dst);
            continue;
        }
        for (int x = 0; x < w; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return {};
}

}  // namespace gd
