// JBIG (bi-level image experts group) through jbigkit: the first bit plane, 1 = black.

#include <algorithm>
#include <string>

extern "C" {
#include <jbig.h>
}

#include "common/byte_io.h"
#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

constexpr size_t kHeader = 20;

struct JbigDecoder {
    jbg_dec_state state;
    JbigDecoder() { jbg_dec_init(&state); }
    ~JbigDecoder() { jbg_dec_free(&state); }
};

}  // namespace

bool ProbeJbig(Bytes d) {
    // The 20-byte header: DL, D, P, 0, XD, YD, L0, MX, MY (0), order, options.
    return d.size() > kHeader && d[3] == 0 && d[2] >= 1 && d[2] <= 8 && d[0] <= d[1] && d[1] < 32 && d[17] == 0 &&
           (d[18] & 0xF0) == 0 && (d[19] & 0x80) == 0 && ReadU32BigEndian(d.data() + 4) > 0 && ReadU32BigEndian(d.data() + 8) > 0;
}

Status JbigInfo(Bytes data, ImageInfo& info) {
    info.width = int(std::min<uint32_t>(ReadU32BigEndian(data.data() + 4), 0x7FFFFFFF));
    info.height = int(std::min<uint32_t>(ReadU32BigEndian(data.data() + 8), 0x7FFFFFFF));
    info.bpp = 1;
    return {};
}

Status JbigDecode(Bytes data, Dib& out) {
    JbigDecoder d;
    jbg_dec_maxsize(&d.state, kMaxImageSide, kMaxImageSide);
    size_t used = 0;
    int result = jbg_dec_in(&d.state, const_cast<unsigned char*>(data.data()), data.size(), &used);
    if (result == JBG_EAGAIN) return Status::Error("JBIG: truncated data");
    if (result != JBG_EOK) return Status::Error(std::string("JBIG: ") + jbg_strerror(result));
    const unsigned long w = jbg_dec_getwidth(&d.state), h = jbg_dec_getheight(&d.state);
    const unsigned char* plane = jbg_dec_getimage(&d.state, 0);
    if (!plane) return Status::Error("JBIG: no image");
    if (Status s = AllocateDib(out, int(w), int(h), 1); !s) return s;
    out.palette = {MakeQuad(255, 255, 255), MakeQuad(0, 0, 0)};
    const size_t row = (w + 7) / 8;
    for (unsigned long y = 0; y < h; ++y) std::copy_n(plane + y * row, row, out.top_row(int(y)));
    return {};
}

}  // namespace gd
