#include "maker/project/picture_encoding.h"

#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/image_type.h"

namespace gd {

namespace {

PictureEntry Failed(PictureOutcome outcome) { return {outcome, {}}; }

}  // namespace

PictureEntry CxPictureEncoder::Encode(const std::string& path, int image_type) const {
    PictureEntry entry;
    {
        // The format comes from the content, whatever the extension says.
        CxImage image;
        if (!image.Load(path)) return Failed(PictureOutcome::kLoadFailed);
        if (image_type != kImageGif) {
            if (image.Encode(entry.bytes, kFormatJpeg) ||
                (image_type == kImageBmp && image.Encode(entry.bytes, kFormatGif))) {
                entry.outcome = PictureOutcome::kOk;
                return entry;
            }
            return Failed(PictureOutcome::kEncodeFailed);
        }
    }
    // A GIF that decodes is embedded byte for byte.
    switch (ReadWholeFile(path, entry.bytes)) {
    case ReadFileStatus::kOpenFailed: return Failed(PictureOutcome::kGifOpenFailed);
    case ReadFileStatus::kReadFailed: return Failed(PictureOutcome::kGifReadFailed);
    case ReadFileStatus::kOk: break;
    }
    entry.outcome = PictureOutcome::kOk;
    return entry;
}

}  // namespace gd
