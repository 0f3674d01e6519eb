// HEIC and HEIF through libheif, its HEVC pictures decoded by libde265. Only the primary
// picture is read. libheif turns and mirrors it as its 'irot' and 'imir' properties say
// and crops it to its clean aperture (the default its decoding options keep; the tests
// hold it), so the picture comes out upright and at the size the header reads. Pictures
// of 10 or 12 bits come out at 8 (libheif's own reduction); one with an alpha channel
// gets an alpha plane beside its straight colours, laid over the background later as
// for PNG. libheif does not apply an EXIF orientation, and neither do we: in these files
// the container's properties are the ones that turn the picture.

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <libheif/heif.h>

#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

Status Failed(const std::string& what) { return Status::Error("HEIF: " + what); }
Status Failed(const heif_error& error) {
    std::string text = error.message && *error.message ? error.message : "damaged file";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();  // some end in a line break
    return Failed(text);
}

// The file's container, read from memory the caller keeps, and its primary picture.
class HeifFile {
public:
    HeifFile() {
        static std::once_flag initialised;
        std::call_once(initialised, [] { heif_init(nullptr); });
        context_ = heif_context_alloc();
    }
    ~HeifFile() {
        if (handle_) heif_image_handle_release(handle_);
        if (context_) heif_context_free(context_);
    }
    HeifFile(const HeifFile&) = delete;
    HeifFile& operator=(const HeifFile&) = delete;

    // Reads the boxes (no picture data is decoded) and finds the primary picture.
    Status Open(Bytes data) {
        if (!context_) return Failed("not enough memory");
        heif_context_set_maximum_image_size_limit(context_, kMaxImageSide);
        if (heif_error e = heif_context_read_from_memory_without_copy(context_, data.data(), data.size(), nullptr);
            e.code != heif_error_Ok)
            return Failed(e);
        if (heif_error e = heif_context_get_primary_image_handle(context_, &handle_); e.code != heif_error_Ok)
            return Failed(e);
        return {};
    }
    const heif_image_handle* handle() const { return handle_; }

private:
    heif_context* context_ = nullptr;
    heif_image_handle* handle_ = nullptr;
};

struct HeifImage {
    heif_image* image = nullptr;
    ~HeifImage() {
        if (image) heif_image_release(image);
    }
};

struct HeifOptions {
    heif_decoding_options* options = heif_decoding_options_alloc();
    ~HeifOptions() { heif_decoding_options_free(options); }
};

// Interleaved red, green, blue (and alpha) rows into the picture and its plane.
Status FromInterleaved(const uint8_t* rows, int stride, int width, int height, bool alpha, Dib& out) {
    if (Status s = AllocateDib(out, width, height, 24); !s) return s;
    if (alpha) out.alpha.resize(size_t(width) * size_t(height));
    const int step = alpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rows + size_t(y) * size_t(stride);
        uint8_t* dst = out.top_row(y);
        for (int x = 0; x < width; ++x, src += step, dst += 3) {
            dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
            if (alpha) out.alpha[size_t(y) * size_t(width) + size_t(x)] = src[3];
        }
    }
    DropUnusedAlpha(out, false);
    return {};
}

// libheif keeps the coded planes, its colour conversion and the interleaved result at
// once: about 12 bytes a pixel for a 10-bit picture with alpha, counted for every one.
constexpr int kHeifWorkingBytesPerPixel = 12;

}  // namespace

Status HeifInfo(Bytes data, ImageInfo& info) {
    HeifFile file;
    if (Status s = file.Open(data); !s) return s;
    info.width = heif_image_handle_get_width(file.handle());
    info.height = heif_image_handle_get_height(file.handle());
    info.bpp = heif_image_handle_has_alpha_channel(file.handle()) ? 32 : 24;
    return {};
}

Status HeifDecode(Bytes data, Dib& out) {
    out = Dib{};
    HeifFile file;
    if (Status s = file.Open(data); !s) return s;
    const heif_image_handle* handle = file.handle();
    const int width = heif_image_handle_get_width(handle), height = heif_image_handle_get_height(handle);
    if (Status s = CheckWorkingMemory(width, height, kHeifWorkingBytesPerPixel); !s) return s;
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    HeifOptions options;
    if (!options.options) return Failed("not enough memory");
    options.options->ignore_transformations = 0;  // turned, mirrored and cropped by libheif
    options.options->convert_hdr_to_8bit = 1;
    HeifImage decoded;
    if (heif_error e = heif_decode_image(handle, &decoded.image, heif_colorspace_RGB,
                                         alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                         options.options);
        e.code != heif_error_Ok)
        return Failed(e);
    int stride = 0;
    const uint8_t* rows = heif_image_get_plane_readonly(decoded.image, heif_channel_interleaved, &stride);
    const int got_width = heif_image_get_width(decoded.image, heif_channel_interleaved);
    const int got_height = heif_image_get_height(decoded.image, heif_channel_interleaved);
    if (!rows || heif_image_get_bits_per_pixel(decoded.image, heif_channel_interleaved) != (alpha ? 32 : 24) ||
        got_width <= 0 || got_height <= 0 || stride < got_width * (alpha ? 4 : 3))
        return Failed("the picture decodes to a layout this reader does not take");
    if (Status s = FromInterleaved(rows, stride, got_width, got_height, alpha, out); !s) {
        out = Dib{};
        return s;
    }
    return {};
}

std::vector<uint8_t> HeifIccProfile(Bytes data) {
    HeifFile file;
    if (!file.Open(data)) return {};
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(file.handle());
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC) return {};
    std::vector<uint8_t> icc(heif_image_handle_get_raw_color_profile_size(file.handle()));
    if (icc.empty() || heif_image_handle_get_raw_color_profile(file.handle(), icc.data()).code != heif_error_Ok)
        return {};
    return icc;
}

}  // namespace gd
