#include "imaging/heif_decoder.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <libheif/heif.h>

#include "imaging/exif_orientation.h"
#include "imaging/heif_boxes.h"
#include "imaging/limits.h"

namespace gd {
namespace {

Status Failed(const HeifFamily& family, std::string what) {
    while (!what.empty() && (what.back() == '\n' || what.back() == ' ')) what.pop_back();  // some end in a line break
    return Status::Error(std::string(family.name) + ": " + (what.empty() ? "damaged file" : what));
}
Status Failed(const HeifFamily& family, const heif_error& error) {
    return Failed(family, error.message ? error.message : "");
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
    Status Open(const HeifFamily& family, Bytes data) {
        if (!context_) return Failed(family, "not enough memory");
        heif_context_set_maximum_image_size_limit(context_, kMaxImageSide);
        if (heif_error e = heif_context_read_from_memory_without_copy(context_, data.data(), data.size(), nullptr);
            e.code != heif_error_Ok)
            return Failed(family, e);
        if (heif_error e = heif_context_get_primary_image_handle(context_, &handle_); e.code != heif_error_Ok)
            return Failed(family, e);
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

// The orientation of the primary picture's EXIF block, 1 without one. Its payload starts
// with the offset of the TIFF structure after those four bytes.
int ExifOrientation(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1) return 1;
    std::vector<uint8_t> exif(heif_image_handle_get_metadata_size(handle, id));
    if (exif.size() < 4 || heif_image_handle_get_metadata(handle, id, exif.data()).code != heif_error_Ok) return 1;
    const uint64_t skip = 4 + ((uint64_t(exif[0]) << 24) | (uint64_t(exif[1]) << 16) | (uint64_t(exif[2]) << 8) | exif[3]);
    if (skip >= exif.size()) return 1;
    return ReadTiffOrientation(Bytes(exif).subspan(size_t(skip)));
}

// The EXIF orientation still to apply after the container's own turns: 1 for a family
// that takes none, or when the container turns the picture itself.
int RemainingExifOrientation(const HeifFamily& family, Bytes data, const heif_image_handle* handle) {
    std::vector<HeifTransform> transforms;
    if (!family.exif_orientation || !ReadPrimaryTransforms(data, transforms) || !transforms.empty()) return 1;
    return ExifOrientation(handle);
}

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

// One 8-bit plane of a decoded picture, and the bytes from one row to the next.
struct HeifPlane {
    const uint8_t* rows = nullptr;
    int stride = 0;
};

// Red, green and blue planes into the picture.
Status FromPlanes(const HeifPlane& red, const HeifPlane& green, const HeifPlane& blue, int width, int height,
                  Dib& out) {
    if (Status s = AllocateDib(out, width, height, 24); !s) return s;
    for (int y = 0; y < height; ++y) {
        const uint8_t* r = red.rows + size_t(y) * size_t(red.stride);
        const uint8_t* g = green.rows + size_t(y) * size_t(green.stride);
        const uint8_t* b = blue.rows + size_t(y) * size_t(blue.stride);
        uint8_t* dst = out.top_row(y);
        for (int x = 0; x < width; ++x, dst += 3) dst[0] = b[x], dst[1] = g[x], dst[2] = r[x];
    }
    return {};
}

// The bytes a pixel takes at the peak of a decode: the decoder's planes (1.5 bytes for
// 8-bit 4:2:0, up to 6 for 4:4:4 at more than 8 bits), libheif's RGB result (3, as planes
// or interleaved) and our picture (3), an alpha channel adding its plane at each step. Counted generously
// so that a 108-megapixel photo still decodes and nothing above 1 GiB is started.
int WorkingBytesPerPixel(bool deep, bool alpha) { return (deep ? 12 : 8) + (alpha ? 3 : 0); }

// A coded picture is padded to whole coding blocks, of 64 pixels at most.
constexpr int64_t kCodingPadding = 64;

// Whether a size is no larger than the size the picture declares, either way round
// (pictures of more than 8 bits come unturned), give or take the padding. libheif makes a
// grid's canvas and decodes a coded picture at the sizes their data state, which a
// damaged file can make far larger than it declares (a 628-byte file declaring 32 x 24
// had a grid canvas of 3843 x 8192), and that picture would go into the show as it came.
bool WithinDeclaredSize(int64_t width, int64_t height, int64_t declared_width, int64_t declared_height) {
    auto fits = [](int64_t a, int64_t b, int64_t bound_a, int64_t bound_b) {
        return a <= bound_a + kCodingPadding && b <= bound_b + kCodingPadding;
    };
    return fits(width, height, declared_width, declared_height) || fits(width, height, declared_height, declared_width);
}

// libheif decodes an HEVC picture at the size its parameter sets declare and allocates a
// grid's or an overlay's canvas whole, for every picture it needs (tiles and alpha planes
// too): each must be the size its item declares, and that within the limits.
Status CheckItemSizes(const HeifFamily& family, Bytes data, int bytes_per_pixel) {
    std::vector<HeifItemSizes> items;
    if (!ReadPictureItemSizes(data, items)) return Failed(family, "the picture's layout cannot be read");
    for (const HeifItemSizes& item : items) {
        // Without a declared size (libheif refuses such a picture) the limits alone apply.
        const bool declared = item.declared_width > 0 || item.declared_height > 0;
        if (declared)
            if (Status s = CheckWorkingMemory(item.declared_width, item.declared_height, bytes_per_pixel); !s) return s;
        for (const HevcPictureSize& made : item.made) {
            if (!declared) {
                if (Status s = CheckWorkingMemory(made.width, made.height, bytes_per_pixel); !s) return s;
            } else if (!WithinDeclaredSize(made.width, made.height, item.declared_width, item.declared_height)) {
                return Failed(family, item.derived ? "a canvas in the file is larger than the size it declares"
                                                   : "a coded picture in the file is larger than the size it declares");
            }
        }
    }
    return {};
}

// Whether libheif's result is no larger than the picture declares. Pictures of more than
// 8 bits come uncropped: held to the size before cropping.
Status CheckDecodedSize(const HeifFamily& family, const heif_image_handle* handle, int got_width, int got_height) {
    if (got_width <= 0 || got_height <= 0) return Failed(family, "the picture decodes to a layout this reader does not take");
    const int width = heif_image_handle_get_width(handle), height = heif_image_handle_get_height(handle);
    if (!WithinDeclaredSize(got_width, got_height, width, height) &&
        !WithinDeclaredSize(got_width, got_height, heif_image_handle_get_ispe_width(handle),
                            heif_image_handle_get_ispe_height(handle)))
        return Failed(family, "the picture decodes larger than the size it declares");
    return {};
}

Status ReadInterleaved(const HeifFamily& family, const heif_image_handle* handle, const heif_image* image, bool alpha,
                       Dib& out) {
    int stride = 0;
    const uint8_t* rows = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif_image_get_height(image, heif_channel_interleaved);
    if (!rows || heif_image_get_bits_per_pixel(image, heif_channel_interleaved) != (alpha ? 32 : 24) ||
        stride < width * (alpha ? 4 : 3))
        return Failed(family, "the picture decodes to a layout this reader does not take");
    if (Status s = CheckDecodedSize(family, handle, width, height); !s) return s;
    return FromInterleaved(rows, stride, width, height, alpha, out);
}

Status ReadPlanes(const HeifFamily& family, const heif_image_handle* handle, const heif_image* image, Dib& out) {
    const heif_channel channels[3] = {heif_channel_R, heif_channel_G, heif_channel_B};
    HeifPlane planes[3];
    const int width = heif_image_get_width(image, heif_channel_R);
    const int height = heif_image_get_height(image, heif_channel_R);
    for (int i = 0; i < 3; ++i) {
        planes[i].rows = heif_image_get_plane_readonly(image, channels[i], &planes[i].stride);
        if (!planes[i].rows || heif_image_get_bits_per_pixel(image, channels[i]) != 8 ||
            heif_image_get_width(image, channels[i]) != width || heif_image_get_height(image, channels[i]) != height ||
            planes[i].stride < width)
            return Failed(family, "the picture decodes to a layout this reader does not take");
    }
    if (Status s = CheckDecodedSize(family, handle, width, height); !s) return s;
    return FromPlanes(planes[0], planes[1], planes[2], width, height, out);
}

// The decode proper, into `out`; the caller clears `out` when it fails.
Status Decode(const HeifFamily& family, Bytes data, Dib& out) {
    HeifFile file;
    if (Status s = file.Open(family, data); !s) return s;
    const heif_image_handle* handle = file.handle();
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle) > 8 ||
                      heif_image_handle_get_chroma_bits_per_pixel(handle) > 8;
    const int width = heif_image_handle_get_width(handle), height = heif_image_handle_get_height(handle);
    if (Status s = CheckWorkingMemory(width, height, WorkingBytesPerPixel(deep, alpha)); !s) return s;
    // A grid or an overlay is put together on the canvas its own data declares, which
    // its size property need not match (imaging/heif_boxes.h).
    HeifLayout layout;
    if (!ReadPrimaryLayout(data, layout)) return Failed(family, "the picture's layout cannot be read");
    if (layout.derived) {
        if (Status s = CheckWorkingMemory(layout.canvas_width, layout.canvas_height, WorkingBytesPerPixel(deep, alpha)); !s)
            return s;
    } else if (!layout.has_data) {
        return Failed(family, "the picture holds no coded data");
    }
    if (Status s = CheckItemSizes(family, data, WorkingBytesPerPixel(deep, alpha)); !s) return s;
    std::vector<HeifTransform> transforms;
    if (deep && !ReadPrimaryTransforms(data, transforms)) return Failed(family, "the picture's properties cannot be read");
    HeifOptions options;
    if (!options.options) return Failed(family, "not enough memory");
    // 8 bits: turned, mirrored and cropped by libheif; more: as stored, turned below.
    options.options->ignore_transformations = deep ? 1 : 0;
    options.options->convert_hdr_to_8bit = 1;
    options.options->decoder_id = family.decoder_id;
    // A picture of 8 bits without alpha is asked for as the three planes libheif makes
    // first: interleaved rows would cost it another copy of the whole picture.
    const bool planar = !deep && !alpha;
    const heif_chroma chroma =
        planar ? heif_chroma_444 : alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
    HeifImage decoded;
    if (heif_error e = heif_decode_image(handle, &decoded.image, heif_colorspace_RGB, chroma, options.options);
        e.code != heif_error_Ok)
        return Failed(family, e);
    if (Status s = planar ? ReadPlanes(family, handle, decoded.image, out)
                          : ReadInterleaved(family, handle, decoded.image, alpha, out);
        !s)
        return s;
    if (deep)
        if (Status s = ApplyHeifTransforms(transforms, out); !s) return s;
    return OrientDib(out, RemainingExifOrientation(family, data, handle));
}

}  // namespace

Status HeifFamilyInfo(const HeifFamily& family, Bytes data, ImageInfo& info) {
    HeifFile file;
    if (Status s = file.Open(family, data); !s) return s;
    const bool swaps = RemainingExifOrientation(family, data, file.handle()) >= 5;
    const int width = heif_image_handle_get_width(file.handle()), height = heif_image_handle_get_height(file.handle());
    info.width = swaps ? height : width;
    info.height = swaps ? width : height;
    info.bpp = heif_image_handle_has_alpha_channel(file.handle()) ? 32 : 24;
    return {};
}

Status HeifFamilyDecode(const HeifFamily& family, Bytes data, Dib& out) {
    // `out` keeps its storage until the decode fills it (AllocateDib).
    Status s = Decode(family, data, out);
    if (!s) out = Dib{};
    return s;
}

std::vector<uint8_t> HeifFamilyIccProfile(Bytes data) {
    HeifFile file;
    if (!file.Open(kHeifFamily, data)) return {};
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(file.handle());
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC) return {};
    std::vector<uint8_t> icc(heif_image_handle_get_raw_color_profile_size(file.handle()));
    if (icc.empty() || heif_image_handle_get_raw_color_profile(file.handle(), icc.data()).code != heif_error_Ok)
        return {};
    return icc;
}

}  // namespace gd
