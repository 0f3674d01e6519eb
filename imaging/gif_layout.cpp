#include "imaging/gif_layout.h"

#include <cstring>

#include "common/byte_io.h"
#include "imaging/limits.h"

namespace gd {
namespace {

std::vector<RgbQuad> ReadColorTable(ByteReader& r, int flags) {
    std::vector<RgbQuad> table;
    if (!(flags & 0x80)) return table;
    size_t n = size_t(2) << (flags & 7);
    auto bytes = r.Bytes(n * 3);
    if (!r.ok()) return table;
    table.resize(n);
    for (size_t i = 0; i < n; ++i) table[i] = MakeQuad(bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]);
    return table;
}

void SkipSubBlocks(ByteReader& r) {
    while (r.ok()) {
        uint8_t n = r.U8();
        if (n == 0) return;
        r.Bytes(n);
    }
}

}  // namespace

bool ProbeGif(Bytes data) {
    return data.size() >= 6 && (std::memcmp(data.data(), "GIF87a", 6) == 0 || std::memcmp(data.data(), "GIF89a", 6) == 0);
}

Status ReadGifLayout(Bytes data, GifLayout& layout) {
    if (!ProbeGif(data)) return Status::Error("Not a GIF file");
    ByteReader r(data);
    r.Bytes(6);
    layout.screen_width = r.U16();
    layout.screen_height = r.U16();
    int flags = r.U8();
    layout.background = r.U8();
    r.U8();  // aspect ratio
    std::vector<RgbQuad> global = ReadColorTable(r, flags);
    if (!r.ok()) return Status::Error("GIF: truncated header");
    while (r.ok()) {
        uint8_t kind = r.U8();
        if (kind == 0x21) {
            uint8_t label = r.U8();
            if (label == 0xF9) {
                uint8_t size = r.U8();
                auto body = r.Bytes(size);
                if (r.ok() && size >= 4 && (body[0] & 1)) layout.transparent = body[3];
            }
            SkipSubBlocks(r);
        } else if (kind == 0x2C) {
            int left = r.U16(), top = r.U16(), w = r.U16(), h = r.U16();
            int image_flags = r.U8();
            std::vector<RgbQuad> local = ReadColorTable(r, image_flags);
            if (!r.ok()) break;
            layout.frame = Rect::FromSize(left, top, w, h);
            layout.interlaced = (image_flags & 0x40) != 0;
            layout.palette = local.empty() ? global : local;
            if (layout.palette.empty()) return Status::Error("GIF: no colour table");
            // The image data must end inside the file: a cut file is refused here
            // rather than decoded with its missing rows made up.
            r.U8();  // minimum code size
            SkipSubBlocks(r);
            if (!r.ok()) return Status::Error("GIF: truncated image data");
            if (layout.screen_width == 0 || layout.screen_height == 0) {
                // Some writers leave the screen empty: the image alone is the picture.
                layout.screen_width = left + w;
                layout.screen_height = top + h;
            }
            return CheckDataCanFill(layout.screen_width, layout.screen_height, data.size(), kGifMostPixelsPerByte,
                                    "GIF");
        } else {
            break;  // trailer or garbage before any image
        }
    }
    return Status::Error("GIF: no image in the file");
}

Status GifInfo(Bytes data, ImageInfo& info) {
    GifLayout layout;
    if (Status s = ReadGifLayout(data, layout); !s) return s;
    info.width = layout.screen_width;
    info.height = layout.screen_height;
    info.bpp = 8;
    return {};
}

}  // namespace gd
