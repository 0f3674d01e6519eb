// ICO files: a directory of icon images; the largest (then deepest) one is decoded. An
// image is either a DIB of twice its height (colour rows, then the mask, which is not
// used) or a whole PNG file.

#include <string>

#include "common/byte_io.h"
#include "imaging/bmp_dib.h"
#include "imaging/codec_list.h"

namespace gd {
namespace {

struct IconEntry {
    int area = 0;
    int bpp = 0;
    Bytes image;
};

Status PickEntry(Bytes data, IconEntry& best) {
    ByteReader r(data);
    r.U16();
    r.U16();
    int count = r.U16();
    bool found = false;
    for (int i = 0; i < count; ++i) {
        int w = r.U8(), h = r.U8();
        r.U8(), r.U8(), r.U16();
        int bpp = r.U16();
        uint32_t size = r.U32(), offset = r.U32();
        if (!r.ok()) return Status::Error("ICO: truncated directory");
        if (offset >= data.size() || size > data.size() - offset || size < 4) continue;
        IconEntry e{(w ? w : 256) * (h ? h : 256), bpp, data.subspan(offset, size)};
        if (!found || e.area > best.area || (e.area == best.area && e.bpp > best.bpp)) best = e;
        found = true;
    }
    if (!found) return Status::Error("ICO: no usable image in the file");
    return {};
}

bool IsPng(Bytes image) { return image.size() >= 8 && image[0] == 0x89 && image[1] == 'P' && image[2] == 'N' && image[3] == 'G'; }

}  // namespace

bool ProbeIco(Bytes data) {
    return data.size() >= 22 && ReadU16(data.data()) == 0 && (ReadU16(data.data() + 2) == 1 || ReadU16(data.data() + 2) == 2) &&
           ReadU16(data.data() + 4) > 0;
}

Status IcoInfo(Bytes data, ImageInfo& info) {
    IconEntry e;
    if (Status s = PickEntry(data, e); !s) return s;
    if (IsPng(e.image)) return PngInfo(e.image, info);
    return DibHeaderInfo(DibSource{e.image, -1, true}, info);
}

Status IcoDecode(Bytes data, Dib& out) {
    IconEntry e;
    if (Status s = PickEntry(data, e); !s) return s;
    if (IsPng(e.image)) return DecodeWith(*FindCodec(kFormatPng), e.image, out);
    return DecodeDibBody(DibSource{e.image, -1, true}, out);
}

}  // namespace gd
