// WebP through libwebp. A still picture is decoded by the library and copied into the
// picture's rows (bottom-up, as the decoder can turn them); one with an alpha channel gets an alpha plane beside its
// straight colours, laid over the background later as for PNG. An animated WebP gives its
// first frame as the animation shows it (libwebp's own frame composition). The EXIF
// orientation a phone or an editor stored turns the picture upright, as for JPEG, and an
// embedded colour profile (the ICCP chunk) goes with the picture to the facade.

#include <cstring>
#include <string>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "imaging/codec_list.h"
#include "imaging/exif_orientation.h"
#include "imaging/limits.h"

namespace gd {
namespace {

Status Failed(const std::string& what) { return Status::Error("WEBP: " + what); }

std::string StatusText(VP8StatusCode code) {
    switch (code) {
    case VP8_STATUS_OUT_OF_MEMORY: return "not enough memory";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "the file ends inside the picture";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "a feature this decoder does not know";
    default: return "damaged picture data";
    }
}

// What the extended header's chunks say about the picture besides its pixels.
struct WebpMetadata {
    int orientation = 1;           // of the EXIF chunk, 1 without one
    std::vector<uint8_t> profile;  // of the ICCP chunk, empty without one
};

WebpMetadata ReadMetadata(Bytes data) {
    WebpMetadata metadata;
    WebPData whole{data.data(), data.size()};
    WebPDemuxer* demux = WebPDemux(&whole);
    if (!demux) return metadata;
    const uint32_t flags = WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS);
    WebPChunkIterator chunk;
    if ((flags & EXIF_FLAG) && WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
        metadata.orientation = ReadTiffOrientation(Bytes(chunk.chunk.bytes, chunk.chunk.size));
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    if ((flags & ICCP_FLAG) && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        metadata.profile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return metadata;
}

// Straight blue, green, red, alpha bytes, rows top-down, into the picture and its plane.
Status FromBgra(const uint8_t* bgra, int width, int height, Dib& out) {
    if (Status s = AllocateDib(out, width, height, 24); !s) return s;
    out.alpha.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = bgra + size_t(y) * size_t(width) * 4;
        uint8_t* dst = out.top_row(y);
        uint8_t* alpha = out.alpha.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x, src += 4, dst += 3) {
            dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
            alpha[x] = src[3];
        }
    }
    DropUnusedAlpha(out, false);
    return {};
}

// The first frame of an animation on its canvas; what the frame leaves uncovered is
// see-through. The canvas, which no frame need cover, is held to what the file could
// fill (as a GIF's screen is): a 168-byte animation announcing a canvas of 31264 x 5889
// pixels would otherwise take 1.3 GB for one small frame.
Status DecodeFirstFrame(Bytes data, const WebPBitstreamFeatures& features, Dib& out) {
    if (Status s = CheckDataCanFill(features.width, features.height, data.size(), kWebpAnimationMostPixelsPerByte,
                                    "WEBP");
        !s)
        return s;
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return Failed("this decoder's library does not match it");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    WebPData whole{data.data(), data.size()};
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&whole, &options);
    if (!decoder) return Failed("damaged animation");
    WebPAnimInfo info;
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    Status status;
    if (!WebPAnimDecoderGetInfo(decoder, &info)) status = Failed("damaged animation");
    else if (Status s = CheckImageSize(int(info.canvas_width), int(info.canvas_height), 32); !s) status = s;
    else if (!WebPAnimDecoderGetNext(decoder, &canvas, &timestamp)) status = Failed("damaged first frame");
    else status = FromBgra(canvas, int(info.canvas_width), int(info.canvas_height), out);
    WebPAnimDecoderDelete(decoder);
    return status;
}

// libwebp decodes into memory of its own and the picture is copied out only once the
// decode has worked: a few damaged bytes announcing 16384 x 16384 pixels must not make
// us take and clear the whole picture before the data runs out (memory the library
// takes and never writes costs nothing).
Status DecodeStill(Bytes data, const WebPBitstreamFeatures& features, Dib& out) {
    // What a still takes at the peak of its decode, per pixel: a lossless picture's ARGB
    // pixels inside libwebp (a lossy one's alpha plane), libwebp's output and our picture
    // with its alpha plane. Lossless data can say "all one colour" in a few bytes, so a
    // 311-byte file announcing 16384 x 16384 pixels decoded whole, taking 1.8 GB; counted
    // so, it is refused first, and a photo of 89 megapixels (134 lossy) still decodes.
    const bool lossless = features.format == 2;
    const int output = features.has_alpha ? 4 : 3;
    const int working = (lossless ? 4 : features.has_alpha ? 1 : 0) + output + output;
    if (Status s = CheckWorkingMemory(features.width, features.height, working); !s) return s;
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) return Failed("this decoder's library does not match it");
    const int width = features.width, height = features.height;
    config.output.colorspace = features.has_alpha ? MODE_BGRA : MODE_BGR;
    // Decoded upside down, the rows come in the order a bottom-up picture keeps them.
    config.options.flip = features.has_alpha ? 0 : 1;
    const VP8StatusCode code = WebPDecode(data.data(), data.size(), &config);
    Status status;
    if (code != VP8_STATUS_OK) {
        status = Failed(StatusText(code));
    } else if (features.has_alpha) {
        status = FromBgra(config.output.u.RGBA.rgba, width, height, out);
    } else if (status = AllocateDib(out, width, height, 24); status) {
        const WebPRGBABuffer& rows = config.output.u.RGBA;
        for (int y = 0; y < height; ++y)
            std::memcpy(out.bits.data() + size_t(y) * out.row_size(), rows.rgba + size_t(y) * size_t(rows.stride),
                        size_t(width) * 3);
    }
    WebPFreeDecBuffer(&config.output);
    return status;
}

}  // namespace

bool ProbeWebp(Bytes data) {
    return data.size() >= 12 && std::memcmp(data.data(), "RIFF", 4) == 0 && std::memcmp(data.data() + 8, "WEBP", 4) == 0;
}

Status WebpInfo(Bytes data, ImageInfo& info) {
    WebPBitstreamFeatures features;
    const VP8StatusCode code = WebPGetFeatures(data.data(), data.size(), &features);
    if (code != VP8_STATUS_OK) return Failed(code == VP8_STATUS_NOT_ENOUGH_DATA ? "the file ends inside its header"
                                                                                 : "missing or damaged header");
    info.width = features.width;
    info.height = features.height;
    info.bpp = features.has_alpha ? 32 : 24;
    return {};
}

Status WebpDecode(Bytes data, Dib& out) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.data(), data.size(), &features) != VP8_STATUS_OK) return Failed("missing or damaged header");
    Status s = features.has_animation ? DecodeFirstFrame(data, features, out) : DecodeStill(data, features, out);
    if (!s) {
        out = Dib{};
        return s;
    }
    const WebpMetadata metadata = ReadMetadata(data);
    out.colour_profile = metadata.profile;
    return OrientDib(out, metadata.orientation);
}

}  // namespace gd
