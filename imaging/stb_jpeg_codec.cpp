// JPEG for the runtime, decoded by stb_image: grey pictures become 8-bit with a grey
// ramp, colour pictures 24-bit.

#include <algorithm>
#include <memory>
#include <string>

#include <stb_image.h>

#include "imaging/codec_list.h"

namespace gd {
namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

std::string StbError(const char* what) {
    const char* reason = stbi_failure_reason();
    return std::string(what) + ": " + (reason ? reason : "corrupt data");
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
    int want = info.bpp == 8 ? 1 : 3;
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
