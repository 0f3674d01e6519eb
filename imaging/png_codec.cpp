// PNG through libpng. Palette pictures keep their palette (1, 2 and 4-bit indices are
// widened to the picture's depths); a palette whose only see-through entry is fully
// clear gives the transparent index, one with partly see-through entries an alpha plane.
// Grey pictures become 8-bit with a grey ramp, 16-bit samples are cut to 8, and pictures
// with an alpha channel (or a transparent colour) become 24-bit with an alpha plane. An
// embedded colour profile (iCCP) goes with the picture to the facade.

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>

#include "common/byte_io.h"
#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

struct PngSource {
    Bytes data;
    size_t pos = 0;
    std::string error;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t size) {
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (size > src->data.size() - src->pos) png_error(png, "truncated file");
    std::memcpy(out, src->data.data() + src->pos, size);
    src->pos += size;
}

void OnError(png_structp png, png_const_charp message) {
    auto* src = static_cast<PngSource*>(png_get_error_ptr(png));
    src->error = message ? message : "corrupt data";
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

bool ProbePng(Bytes data) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return data.size() >= 8 && std::memcmp(data.data(), kSignature, 8) == 0;
}

Status PngInfo(Bytes data, ImageInfo& info) {
    if (data.size() < 33 || std::memcmp(data.data() + 12, "IHDR", 4) != 0) return Status::Error("PNG: missing header");
    uint32_t w = ReadU32BigEndian(data.data() + 16), h = ReadU32BigEndian(data.data() + 20);
    info.width = int(std::min<uint32_t>(w, 0x7FFFFFFF));
    info.height = int(std::min<uint32_t>(h, 0x7FFFFFFF));
    int color_type = data[25];
    info.bpp = color_type == PNG_COLOR_TYPE_PALETTE || color_type == PNG_COLOR_TYPE_GRAY ? 8 : 24;
    return {};
}

namespace {

// Everything a decode keeps that has a destructor. It lives in PngDecode's frame, above
// the setjmp of ReadPng, so a longjmp from libpng leaves it intact and it is freed
// normally.
struct PngDecodeState {
    PngSource src;
    std::vector<RgbQuad> palette;
    std::vector<uint8_t> palette_alpha;  // per entry, when some entry is partly see-through
    std::vector<uint8_t> indices;
    std::vector<uint8_t> bgra;  // truecolour pictures with alpha: 4 bytes a pixel
    std::vector<png_bytep> rows;
    std::vector<uint8_t> profile;  // of the iCCP chunk, inflated by libpng
    int width = 0, height = 0;
    int transparent = -1;
    bool indexed = false;
    Status status;  // a failure of our own, not of libpng
};

// Reads palette and transparency of a palette picture into `st`.
void ReadPalette(png_structp png, png_infop info, PngDecodeState& st) {
    png_colorp colors = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colors, &count);
    for (int i = 0; i < count; ++i) st.palette.push_back(MakeQuad(colors[i].red, colors[i].green, colors[i].blue));
    png_bytep alpha = nullptr;
    int alpha_count = 0;
    png_color_16p unused = nullptr;
    if (png_get_tRNS(png, info, &alpha, &alpha_count, &unused) && alpha) {
        int clear = 0, partial = 0;
        for (int i = 0; i < alpha_count; ++i) {
            if (alpha[i] == 0) clear++, st.transparent = i;
            partial += alpha[i] != 0 && alpha[i] != 255;
        }
        if (clear != 1 || partial > 0) {
            st.transparent = -1;
            if (clear + partial > 0) {
                st.palette_alpha.assign(st.palette.size(), 255);
                std::copy_n(alpha, std::min<size_t>(size_t(alpha_count), st.palette.size()), st.palette_alpha.begin());
            }
        }
    }
    st.indexed = true;
}

// Every libpng call of a decode. libpng reports errors by a longjmp back to the setjmp
// here, so this frame holds no object with a destructor: whatever must be freed lives
// in `st` or `out`. False when libpng failed or `st.status` tells why not.
bool ReadPng(png_structp png, png_infop info, PngDecodeState& st, Dib& out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &st.src, ReadBytes);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);
    png_charp profile_name = nullptr;
    png_bytep profile = nullptr;
    png_uint_32 profile_size = 0;
    int compression = 0;
    if (png_get_iCCP(png, info, &profile_name, &compression, &profile, &profile_size) && profile)
        st.profile.assign(profile, profile + profile_size);
    st.width = int(png_get_image_width(png, info));
    st.height = int(png_get_image_height(png, info));
    const int color_type = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    if (color_type == PNG_COLOR_TYPE_PALETTE) {
        ReadPalette(png, info, st);
    } else if (color_type == PNG_COLOR_TYPE_GRAY && !png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_expand_gray_1_2_4_to_8(png);
        st.palette = GreyRamp(256);
        st.indexed = true;
    } else {
        png_set_expand(png);  // a transparent colour becomes an alpha channel
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
    }
    png_read_update_info(png, info);
    const bool with_alpha = !st.indexed && (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA);
    st.rows.resize(size_t(st.height));
    if (st.indexed) {
        st.indices.resize(size_t(st.width) * size_t(st.height));
        for (int y = 0; y < st.height; ++y) st.rows[size_t(y)] = st.indices.data() + size_t(y) * size_t(st.width);
    } else if (with_alpha) {
        st.status = CheckImageSize(st.width, st.height, 32);
        if (!st.status) return false;
        st.bgra.resize(size_t(st.width) * size_t(st.height) * 4);
        for (int y = 0; y < st.height; ++y) st.rows[size_t(y)] = st.bgra.data() + size_t(y) * size_t(st.width) * 4;
    } else {
        st.status = AllocateDib(out, st.width, st.height, 24);
        if (!st.status) return false;
        for (int y = 0; y < st.height; ++y) st.rows[size_t(y)] = out.top_row(y);
    }
    png_read_image(png, st.rows.data());
    return true;
}

}  // namespace

Status PngDecode(Bytes data, Dib& out) {
    PngDecodeState st;
    st.src.data = data;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &st.src, OnError, OnWarning);
    if (!png) return Status::Error("PNG: not enough memory");
    png_infop info = png_create_info_struct(png);
    const bool read = info && ReadPng(png, info, st, out);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!read) {
        out = Dib{};
        if (!st.status) return st.status;
        return Status::Error("PNG: " + (st.src.error.empty() ? std::string("not enough memory") : st.src.error));
    }
    if (st.indexed) {
        if (st.palette.empty()) return Status::Error("PNG: palette picture without palette");
        if (Status s = DibFromIndices(out, st.width, st.height, st.indices, st.palette); !s) return s;
        out.transparent = st.transparent;
        if (!st.palette_alpha.empty()) {
            out.alpha.resize(st.indices.size());
            for (size_t i = 0; i < st.indices.size(); ++i)
                out.alpha[i] = st.indices[i] < st.palette_alpha.size() ? st.palette_alpha[st.indices[i]] : 255;
        }
    } else if (!st.bgra.empty()) {
        // Straight colours beside their opacity.
        if (Status s = AllocateDib(out, st.width, st.height, 24); !s) return s;
        out.alpha.resize(size_t(st.width) * size_t(st.height));
        for (int y = 0; y < st.height; ++y) {
            const uint8_t* src = st.bgra.data() + size_t(y) * size_t(st.width) * 4;
            uint8_t* dst = out.top_row(y);
            for (int x = 0; x < st.width; ++x, src += 4, dst += 3) {
                dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
                out.alpha[size_t(y) * size_t(st.width) + size_t(x)] = src[3];
            }
        }
        DropUnusedAlpha(out, false);
    }
    out.colour_profile = std::move(st.profile);
    return {};
}

}  // namespace gd
