#include "imaging/codec.h"

#include <new>
#include <string>

#include "imaging/limits.h"

namespace gd {

const Codec* FindCodec(int format) {
    for (const Codec& c : ImageCodecs())
        if (c.format == format) return &c;
    return nullptr;
}

Status DecodeWith(const Codec& codec, Bytes data, Dib& out, const DecodeBox& box) {
    if (data.empty()) return Status::Error(std::string(codec.name) + ": empty file");
    if (!codec.probe(data)) return Status::Error(std::string("Not a ") + codec.name + " file");
    ImageInfo info;
    if (Status s = codec.info(data, info); !s) return s;
    if (Status s = CheckImageSize(info.width, info.height, info.bpp); !s) return s;
    try {
        if (box.limits() && codec.decode_within) return codec.decode_within(data, box, out);
        return codec.decode(data, out);
    } catch (const std::bad_alloc&) {
        return Status::Error(std::string(codec.name) + ": not enough memory");
    }
}

}  // namespace gd
