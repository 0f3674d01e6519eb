// The maker's adapters, in detection order.

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"
#include "imaging/icc_profile.h"

namespace gd {

const bool kDetectionNamesFailure = true;

namespace {
// A profile that cannot be used leaves the colours as stored: a picture is never refused
// for its profile.
void ConvertByOwnProfile(Dib& dib) { (void)ConvertToSrgb(dib, dib.colour_profile); }
}  // namespace
void (*const kColourConversion)(Dib&) = ConvertByOwnProfile;

std::span<const Codec> ImageCodecs() {
    static const Codec codecs[] = {
        {kFormatBmp, "BMP", ProbeBmp, BmpInfo, BmpDecode, nullptr, nullptr},
        {kFormatJpeg, "JPEG", ProbeJpeg, JpegInfo, JpegDecode, JpegEncode, JpegDecodeWithin},
        {kFormatIco, "ICO", ProbeIco, IcoInfo, IcoDecode, nullptr, nullptr},
        {kFormatGif, "GIF", ProbeGif, GifInfo, GifDecode, GifEncode, nullptr},
        {kFormatPng, "PNG", ProbePng, PngInfo, PngDecode, nullptr, nullptr},
        {kFormatTiff, "TIFF", ProbeTiff, TiffInfo, TiffDecode, nullptr, nullptr},
        {kFormatTga, "TGA", ProbeTga, TgaInfo, TgaDecode, nullptr, nullptr},
        {kFormatPcx, "PCX", ProbePcx, PcxInfo, PcxDecode, nullptr, nullptr},
        {kFormatWbmp, "WBMP", ProbeWbmp, WbmpInfo, WbmpDecode, nullptr, nullptr},
        {kFormatWmf, "WMF", ProbeWmf, WmfInfo, WmfDecode, nullptr, nullptr},
        {kFormatJ2k, "J2K", ProbeJ2k, J2kInfo, J2kDecode, nullptr, nullptr},
        {kFormatJbig, "JBIG", ProbeJbig, JbigInfo, JbigDecode, nullptr, nullptr},
        {kFormatWebp, "WEBP", ProbeWebp, WebpInfo, WebpDecode, nullptr, nullptr},
        {kFormatAvif, "AVIF", ProbeAvif, AvifInfo, AvifDecode, nullptr, nullptr},
        {kFormatHeif, "HEIF", ProbeHeif, HeifInfo, HeifDecode, nullptr, nullptr},
    };
    return codecs;
}

}  // namespace gd
