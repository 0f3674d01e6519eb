// PNG through libpng. Palette pictures keep their palette (1, 2 and 4-bit indices are
// widened to the picture's depths), a palette with exactly one see-through entry gives
// the transparent index, grey pictures become 8-bit with a grey ramp, 16-bit samples
// are cut to 8, and pictures with an alpha channel are laid over black (the show's
// default background) as 24-bit.

#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>

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

uint32_t BigEndian32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3]; }

}  // namespace

bool ProbePng(Bytes data) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return data.size() >= 8 && std::memcmp(data.data(), kSignature, 8) == 0;
}

Status PngInfo(Bytes data, ImageInfo& info) {
    if (data.size() < 33 || std::memcmp(data.data() + 12, "IHDR", 4) != 0) return Status::Error("PNG: missing header");
    uint32_t w = BigEndian32(data.data() + 16), h = BigEndian32(data.data() + 20);
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
    std::vector<uint8_t> indices;
    std::vector<png_bytep> rows;
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
        int clear = 0;
        for (int i = 0; i < alpha_count; ++i)
            if (alpha[i] == 0) clear++, st.transparent = i;
        if (clear != 1) st.transparent = -1;
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
        png_set_expand(png);
        png_set_gray_to_rgb(png);
        png_color_16 black{};
        png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        png_set_bgr(png);
    }
    png_read_update_info(png, info);
    st.rows.resize(size_t(st.height));
    if (st.indexed) {
        st.indices.resize(size_t(st.width) * size_t(st.height));
        for (int y = 0; y < st.height; ++y) st.rows[size_t(y)] = st.indices.data() + size_t(y) * size_t(st.width);
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
    }
    return {};
}

}  // namespace gd
