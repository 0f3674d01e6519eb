// The runtime's adapters: JPEG, then GIF, both decoded by stb_image; no encoders.

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"

namespace gd {

const bool kDetectionNamesFailure = false;
void (*const kColourConversion)(Dib&) = nullptr;

std::span<const Codec> ImageCodecs() {
    static const Codec codecs[] = {
        {kFormatJpeg, "JPEG", ProbeJpeg, StbJpegInfo, StbJpegDecode, nullptr, nullptr},
        {kFormatGif, "GIF", ProbeGif, GifInfo, StbGifDecode, nullptr, nullptr},
    };
    return codecs;
}

}  // namespace gd
