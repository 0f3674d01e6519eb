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

Status PngDecode(Bytes data, Dib& out) {
    PngSource src{data, 0, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, OnError, OnWarning);
    if (!png) return Status::Error("PNG: not enough memory");
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> indices;
    std::vector<png_bytep> rows;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        out = Dib{};
        return Status::Error("PNG: " + (src.error.empty() ? std::string("not enough memory") : src.error));
    }
    png_set_read_fn(png, &src, ReadBytes);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);
    const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
    const int color_type = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);

    std::vector<RgbQuad> palette;
    int transparent = -1;
    bool indexed = false;
    if (color_type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp colors = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &colors, &count);
        for (int i = 0; i < count; ++i) palette.push_back(MakeQuad(colors[i].red, colors[i].green, colors[i].blue));
        png_bytep alpha = nullptr;
        int alpha_count = 0;
        png_color_16p unused = nullptr;
        if (png_get_tRNS(png, info, &alpha, &alpha_count, &unused) && alpha) {
            int clear = 0;
            for (int i = 0; i < alpha_count; ++i)
                if (alpha[i] == 0) clear++, transparent = i;
            if (clear != 1) transparent = -1;
        }
        indexed = true;
    } else if (color_type == PNG_COLOR_TYPE_GRAY && !png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_expand_gray_1_2_4_to_8(png);
        palette = GreyRamp(256);
        indexed = true;
    } else {
        png_set_expand(png);
        png_set_gray_to_rgb(png);
        png_color_16 black{};
        png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        png_set_bgr(png);
    }
    png_read_update_info(png, info);
    rows.resize(size_t(h));
    if (indexed) {
        indices.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y) rows[size_t(y)] = indices.data() + size_t(y) * size_t(w);
    } else {
        if (Status s = AllocateDib(out, w, h, 24); !s) {
            png_destroy_read_struct(&png, &info, nullptr);
            return s;
        }
        for (int y = 0; y < h; ++y) rows[size_t(y)] = out.top_row(y);
    }
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    if (indexed) {
        if (palette.empty()) return Status::Error("PNG: palette picture without palette");
        if (Status s = DibFromIndices(out, w, h, indices, palette); !s) return s;
        out.transparent = transparent;
    }
    return {};
}

}  // namespace gd
