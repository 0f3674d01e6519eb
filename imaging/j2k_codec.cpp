// JPEG 2000 through OpenJPEG: a bare code stream (J2K) or a JP2 file. One or two
// components give an 8-bit grey picture, three or more a 24-bit one; samples of other
// precisions are scaled to 8 bits, subsampled components are sampled at their own grid.

#include <algorithm>
#include <cstring>
#include <string>

#include <openjpeg.h>

#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

const uint8_t kJp2Signature[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};

bool IsCodeStream(Bytes d) { return d.size() >= 4 && d[0] == 0xFF && d[1] == 0x4F && d[2] == 0xFF && d[3] == 0x51; }
bool IsJp2(Bytes d) { return d.size() >= 12 && std::memcmp(d.data(), kJp2Signature, 12) == 0; }

struct Source {
    Bytes data;
    size_t pos = 0;
    std::string error;
};

OPJ_SIZE_T Read(void* out, OPJ_SIZE_T size, void* user) {
    auto* s = static_cast<Source*>(user);
    size_t n = std::min<size_t>(size, s->data.size() - s->pos);
    if (n == 0) return OPJ_SIZE_T(-1);
    std::memcpy(out, s->data.data() + s->pos, n);
    s->pos += n;
    return n;
}
OPJ_OFF_T Skip(OPJ_OFF_T n, void* user) {
    auto* s = static_cast<Source*>(user);
    OPJ_OFF_T target = std::clamp<OPJ_OFF_T>(OPJ_OFF_T(s->pos) + n, 0, OPJ_OFF_T(s->data.size()));
    OPJ_OFF_T moved = target - OPJ_OFF_T(s->pos);
    s->pos = size_t(target);
    return moved;
}
OPJ_BOOL Seek(OPJ_OFF_T n, void* user) {
    auto* s = static_cast<Source*>(user);
    if (n < 0 || size_t(n) > s->data.size()) return OPJ_FALSE;
    s->pos = size_t(n);
    return OPJ_TRUE;
}
void OnError(const char* text, void* user) {
    auto* s = static_cast<Source*>(user);
    if (s->error.empty() && text) {
        s->error = text;
        while (!s->error.empty() && s->error.back() == '\n') s->error.pop_back();
    }
}
void Quiet(const char*, void*) {}

// Owns the decoder objects of one decode.
struct Decoder {
    Source src;
    opj_codec_t* codec = nullptr;
    opj_stream_t* stream = nullptr;
    opj_image_t* image = nullptr;
    ~Decoder() {
        if (image) opj_image_destroy(image);
        if (stream) opj_stream_destroy(stream);
        if (codec) opj_destroy_codec(codec);
    }
    Status Fail(const char* what) { return Status::Error(std::string("J2K: ") + (src.error.empty() ? what : src.error)); }

    Status ReadHeader(Bytes data) {
        src.data = data;
        codec = opj_create_decompress(IsJp2(data) ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
        stream = opj_stream_create(64 * 1024, OPJ_TRUE);
        if (!codec || !stream) return Status::Error("J2K: not enough memory");
        opj_stream_set_user_data(stream, &src, nullptr);
        opj_stream_set_user_data_length(stream, data.size());
        opj_stream_set_read_function(stream, Read);
        opj_stream_set_skip_function(stream, Skip);
        opj_stream_set_seek_function(stream, Seek);
        opj_set_error_handler(codec, OnError, &src);
        opj_set_warning_handler(codec, Quiet, nullptr);
        opj_set_info_handler(codec, Quiet, nullptr);
        opj_dparameters_t params;
        opj_set_default_decoder_parameters(&params);
        if (!opj_setup_decoder(codec, &params)) return Fail("cannot set up the decoder");
        if (!opj_read_header(stream, codec, &image) || !image) return Fail("cannot read the header");
        if (image->numcomps == 0) return Status::Error("J2K: no components");
        return {};
    }
    int width() const { return int(std::min<OPJ_UINT32>(image->x1 - image->x0, 0x7FFFFFFF)); }
    int height() const { return int(std::min<OPJ_UINT32>(image->y1 - image->y0, 0x7FFFFFFF)); }
};

uint8_t Sample(const opj_image_comp_t& c, int x, int y) {
    OPJ_UINT32 cx = std::min<OPJ_UINT32>(OPJ_UINT32(x) / std::max<OPJ_UINT32>(c.dx, 1), c.w - 1);
    OPJ_UINT32 cy = std::min<OPJ_UINT32>(OPJ_UINT32(y) / std::max<OPJ_UINT32>(c.dy, 1), c.h - 1);
    int v = c.data[size_t(cy) * c.w + cx];
    if (c.sgnd) v += 1 << (c.prec - 1);
    if (c.prec > 8) v >>= (c.prec - 8);
    else if (c.prec < 8) v <<= (8 - c.prec);
    return uint8_t(std::clamp(v, 0, 255));
}

}  // namespace

bool ProbeJ2k(Bytes data) { return IsCodeStream(data) || IsJp2(data); }

Status J2kInfo(Bytes data, ImageInfo& info) {
    Decoder d;
    if (Status s = d.ReadHeader(data); !s) return s;
    info.width = d.width();
    info.height = d.height();
    info.bpp = d.image->numcomps >= 3 ? 24 : 8;
    return {};
}

Status J2kDecode(Bytes data, Dib& out) {
    Decoder d;
    if (Status s = d.ReadHeader(data); !s) return s;
    if (Status s = CheckImageSize(d.width(), d.height(), 24); !s) return s;
    if (!opj_decode(d.codec, d.stream, d.image) || !opj_end_decompress(d.codec, d.stream)) return d.Fail("cannot decode the image");
    const opj_image_t& img = *d.image;
    const bool colour = img.numcomps >= 3;
    for (OPJ_UINT32 i = 0; i < (colour ? 3u : 1u); ++i) {
        const opj_image_comp_t& c = img.comps[i];
        if (!c.data || c.w == 0 || c.h == 0 || c.prec == 0 || c.prec > 31) return Status::Error("J2K: unusable component");
    }
    const int w = d.width(), h = d.height();
    if (Status s = AllocateDib(out, w, h, colour ? 24 : 8); !s) return s;
    if (!colour) out.palette = GreyRamp(256);
    for (int y = 0; y < h; ++y) {
        uint8_t* dst = out.top_row(y);
        for (int x = 0; x < w; ++x) {
            if (colour) {
                dst[x * 3] = Sample(img.comps[2], x, y);
                dst[x * 3 + 1] = Sample(img.comps[1], x, y);
                dst[x * 3 + 2] = Sample(img.comps[0], x, y);
            } else {
                dst[x] = Sample(img.comps[0], x, y);
            }
        }
    }
    return {};
}

}  // namespace gd
