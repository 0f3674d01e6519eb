// AVIF through libavif, its AV1 pictures decoded by dav1d (named, so both makers use the
// same decoder whatever else a libavif was built with). Only the primary picture is read;
// a sequence gives its first. libavif reports the container's 'irot' and 'imir' but does
// not apply them: we do, rotation first, as the container orders them. A file whose
// container has neither but whose EXIF data holds an orientation is turned by that, as a
// JPEG is; where the container has them, they win (writers set them from the EXIF
// orientation and keep the EXIF data, which would otherwise turn the picture twice).
// Pictures of 10 or 12 bits are converted to 8 by libavif's own conversion (never
// libyuv's, which differs by a step here and there and is not in every build); one with
// an alpha channel gets an alpha plane beside its straight colours.

#include <cstring>
#include <string>
#include <vector>

#include <avif/avif.h>

#include "imaging/codec_list.h"
#include "imaging/exif_orientation.h"
#include "imaging/limits.h"

namespace gd {
namespace {

Status Failed(const std::string& what) { return Status::Error("AVIF: " + what); }

// The decoder over the caller's bytes, parsed: the container's boxes are read, no picture
// data decoded yet.
class AvifFile {
public:
    AvifFile() : decoder_(avifDecoderCreate()) {}
    ~AvifFile() {
        if (decoder_) avifDecoderDestroy(decoder_);
    }
    AvifFile(const AvifFile&) = delete;
    AvifFile& operator=(const AvifFile&) = delete;

    Status Open(Bytes data) {
        if (!decoder_) return Failed("not enough memory");
        decoder_->codecChoice = AVIF_CODEC_CHOICE_DAV1D;
        decoder_->maxThreads = 1;
        decoder_->imageDimensionLimit = kMaxImageSide;
        decoder_->imageCountLimit = 1;  // the first picture of a sequence is all we read
        decoder_->ignoreXMP = AVIF_TRUE;
        if (avifResult r = avifDecoderSetIOMemory(decoder_, data.data(), data.size()); r != AVIF_RESULT_OK)
            return Failed(r);
        if (avifResult r = avifDecoderParse(decoder_); r != AVIF_RESULT_OK) return Failed(r);
        return {};
    }
    avifDecoder* decoder() const { return decoder_; }
    const avifImage& image() const { return *decoder_->image; }

    // libavif's own words for a failure, with the detail it kept.
    Status Failed(avifResult result) const {
        std::string text = avifResultToString(result);
        if (decoder_ && decoder_->diag.error[0]) text += std::string(" (") + decoder_->diag.error + ")";
        return gd::Failed(text);
    }
    static Status Failed(const char* text) { return gd::Failed(text); }

private:
    avifDecoder* decoder_ = nullptr;
};

// The EXIF orientation (1..8) that turns the stored rows as the container's rotation by
// angle x 90 degrees anticlockwise, then its mirroring (mode 0: top and bottom exchanged,
// 1: left and right), would.
int OrientationOfTransform(const avifImage& image) {
    static const int kOrientation[4][3] = {
        // no mirror, top-bottom, left-right
        {1, 4, 2},
        {8, 5, 7},
        {3, 2, 4},
        {6, 7, 5},
    };
    const int angle = (image.transformFlags & AVIF_TRANSFORM_IROT) ? image.irot.angle & 3 : 0;
    const int mirror = (image.transformFlags & AVIF_TRANSFORM_IMIR) ? 1 + (image.imir.mode & 1) : 0;
    return kOrientation[angle][mirror];
}

int Orientation(const avifImage& image) {
    if (image.transformFlags & (AVIF_TRANSFORM_IROT | AVIF_TRANSFORM_IMIR)) return OrientationOfTransform(image);
    if (image.exif.size == 0) return 1;
    return ReadTiffOrientation(Bytes(image.exif.data, image.exif.size));
}

// The decoded picture as blue, green, red (and alpha) rows, top-down, copied into ours.
Status FromBgr(const avifRGBImage& rgb, bool alpha, Dib& out) {
    const int width = int(rgb.width), height = int(rgb.height);
    if (Status s = AllocateDib(out, width, height, 24); !s) return s;
    if (alpha) out.alpha.resize(size_t(width) * size_t(height));
    const int step = alpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rgb.pixels + size_t(y) * rgb.rowBytes;
        uint8_t* dst = out.top_row(y);
        if (!alpha) {
            std::memcpy(dst, src, size_t(width) * 3);
            continue;
        }
        for (int x = 0; x < width; ++x, src += step, dst += 3) {
            dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
            out.alpha[size_t(y) * size_t(width) + size_t(x)] = src[3];
        }
    }
    DropUnusedAlpha(out, false);
    return {};
}

struct RgbPixels {
    avifRGBImage rgb{};
    ~RgbPixels() {
        if (rgb.pixels) avifRGBImageFreePixels(&rgb);
    }
};

// dav1d keeps its reference and output planes (up to 16 bits a sample), libavif the
// converted rows, we the picture: about 16 bytes a pixel for 12 bits with alpha.
constexpr int kAvifWorkingBytesPerPixel = 16;

}  // namespace

Status AvifInfo(Bytes data, ImageInfo& info) {
    AvifFile file;
    if (Status s = file.Open(data); !s) return s;
    const bool swaps = Orientation(file.image()) >= 5;
    info.width = int(swaps ? file.image().height : file.image().width);
    info.height = int(swaps ? file.image().width : file.image().height);
    info.bpp = file.decoder()->alphaPresent ? 32 : 24;
    return {};
}

Status AvifDecode(Bytes data, Dib& out) {
    out = Dib{};
    AvifFile file;
    if (Status s = file.Open(data); !s) return s;
    if (Status s = CheckWorkingMemory(file.image().width, file.image().height, kAvifWorkingBytesPerPixel); !s)
        return s;
    if (avifResult r = avifDecoderNextImage(file.decoder()); r != AVIF_RESULT_OK) return file.Failed(r);
    const avifImage& image = file.image();
    if (Status s = CheckImageSize(image.width, image.height, 32); !s) return s;
    const bool alpha = image.alphaPlane != nullptr;
    RgbPixels pixels;
    avifRGBImageSetDefaults(&pixels.rgb, &image);
    pixels.rgb.format = alpha ? AVIF_RGB_FORMAT_BGRA : AVIF_RGB_FORMAT_BGR;
    pixels.rgb.depth = 8;
    pixels.rgb.avoidLibYUV = AVIF_TRUE;
    pixels.rgb.ignoreAlpha = alpha ? AVIF_FALSE : AVIF_TRUE;
    avifRGBImageAllocatePixels(&pixels.rgb);
    if (!pixels.rgb.pixels) return Failed("not enough memory");
    if (avifResult r = avifImageYUVToRGB(&image, &pixels.rgb); r != AVIF_RESULT_OK) return file.Failed(r);
    if (Status s = FromBgr(pixels.rgb, alpha, out); !s) {
        out = Dib{};
        return s;
    }
    if (Status s = OrientDib(out, Orientation(image)); !s) {
        out = Dib{};
        return s;
    }
    return {};
}

std::vector<uint8_t> AvifIccProfile(Bytes data) {
    AvifFile file;
    if (!file.Open(data)) return {};
    const avifRWData& icc = file.image().icc;
    return std::vector<uint8_t>(icc.data, icc.data + icc.size);
}

}  // namespace gd
