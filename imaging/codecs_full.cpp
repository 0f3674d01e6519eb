// The maker's adapters, in detection order.

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"

namespace gd {

const bool kDetectionNamesFailure = true;

std::span<const Codec> ImageCodecs() {
    static const Codec codecs[] = {
        {kFormatBmp, "BMP", ProbeBmp, BmpInfo, BmpDecode, nullptr},
        {kFormatJpeg, "JPEG", ProbeJpeg, JpegInfo, JpegDecode, JpegEncode},
        {kFormatIco, "ICO", ProbeIco, IcoInfo, IcoDecode, nullptr},
        {kFormatGif, "GIF", ProbeGif, GifInfo, GifDecode, GifEncode},
        {kFormatPng, "PNG", ProbePng, PngInfo, PngDecode, nullptr},
        {kFormatTiff, "TIFF", ProbeTiff, TiffInfo, TiffDecode, nullptr},
        {kFormatTga, "TGA", ProbeTga, TgaInfo, TgaDecode, nullptr},
        {kFormatPcx, "PCX", ProbePcx, PcxInfo, PcxDecode, nullptr},
        {kFormatWbmp, "WBMP", ProbeWbmp, WbmpInfo, WbmpDecode, nullptr},
        {kFormatWmf, "WMF", ProbeWmf, WmfInfo, WmfDecode, nullptr},
        {kFormatJ2k, "J2K", ProbeJ2k, J2kInfo, J2kDecode, nullptr},
        {kFormatJbig, "JBIG", ProbeJbig, JbigInfo, JbigDecode, nullptr},
        {kFormatWebp, "WEBP", ProbeWebp, WebpInfo, WebpDecode, nullptr},
        {kFormatAvif, "AVIF", ProbeAvif, AvifInfo, AvifDecode, nullptr},
        {kFormatHeif, "HEIF", ProbeHeif, HeifInfo, HeifDecode, nullptr},
    };
    return codecs;
}

}  // namespace gd
