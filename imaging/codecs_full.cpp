// The maker's adapters, in detection order.

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"

namespace gd {

const bool kDetectionNamesFailure = true;

std::span<const Codec> ImageCodecs() {
    static const Codec codecs[] = {
        {kFormatJpeg, "JPEG", ProbeJpeg, JpegInfo, JpegDecode, JpegEncode},
        {kFormatGif, "GIF", ProbeGif, GifInfo, GifDecode, GifEncode},
    };
    return codecs;
}

}  // namespace gd
