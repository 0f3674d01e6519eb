#include "maker/project/picture_encoding.h"

#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/image_type.h"

namespace gd {

namespace {

PictureEntry Failed(PictureOutcome outcome, std::string reason) { return {outcome, {}, std::move(reason)}; }

}  // namespace

PictureEntry CxPictureEncoder::Encode(const std::string& path, int image_type, const PictureShape& shape) const {
    PictureEntry entry;
    {
        // The format comes from the content, whatever the extension says.
        CxImage image;
        // A JPEG far larger than the box is decoded at a reduced size, then shrunk the rest
        // of the way; without a box every picture is decoded whole, as always.
        if (image_type != kImageGif) image.SetDecodeBox(shape.fit_width, shape.fit_height);
        if (!image.Load(path)) return Failed(PictureOutcome::kLoadFailed, image.GetLastError());
        if (image_type != kImageGif) {
            if (!image.FlattenAlpha(shape.background) || !image.ShrinkToFit(shape.fit_width, shape.fit_height))
                return Failed(PictureOutcome::kEncodeFailed, image.GetLastError());
            // JPEG refuses a palette that is not a grey ramp; such a picture keeps its
            // palette and indices as a GIF, whatever type it came from.
            if (image.Encode(entry.bytes, kFormatJpeg) ||
                (image.GetBpp() <= 8 && image.Encode(entry.bytes, kFormatGif))) {
                entry.outcome = PictureOutcome::kOk;
                return entry;
            }
            return Failed(PictureOutcome::kEncodeFailed, image.GetLastError());
        }
    }
    // A GIF that decodes is embedded byte for byte.
    FileError error;
    switch (ReadWholeFile(path, entry.bytes, &error)) {
    case ReadFileStatus::kOpenFailed: return Failed(PictureOutcome::kGifOpenFailed, error.text);
    case ReadFileStatus::kReadFailed: return Failed(PictureOutcome::kGifReadFailed, error.text);
    case ReadFileStatus::kOk: break;
    }
    entry.outcome = PictureOutcome::kOk;
    return entry;
}

}  // namespace gd
