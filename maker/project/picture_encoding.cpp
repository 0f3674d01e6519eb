#include "maker/project/picture_encoding.h"

#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/image_type.h"

namespace gd {

namespace {

PictureEntry Failed(PictureOutcome outcome, std::string reason) { return {outcome, {}, std::move(reason)}; }

// The pixel storage of the last picture an encoding thread decoded, handed to its next
// one: a build of many photos then takes memory for the largest once, instead of fresh
// memory (and its page faults) for every photo. It goes when the thread ends.
class ThreadStorage {
public:
    explicit ThreadStorage(CxImage& image) : image_(image) { image_.ReuseStorage(std::move(spare_)); }
    ~ThreadStorage() { spare_ = image_.TakeStorage(); }
    ThreadStorage(const ThreadStorage&) = delete;
    ThreadStorage& operator=(const ThreadStorage&) = delete;

private:
    static thread_local std::vector<uint8_t> spare_;
    CxImage& image_;
};
thread_local std::vector<uint8_t> ThreadStorage::spare_;

}  // namespace

PictureEntry CxPictureEncoder::Encode(const std::string& path, int image_type, const PictureShape& shape) const {
    PictureEntry entry;
    {
        // The format comes from the content, whatever the extension says.
        CxImage image;
        const ThreadStorage storage(image);
        // A JPEG far larger than the box is decoded at a reduced size, then shrunk the rest
        // of the way; without a box every picture is decoded whole, as always.
        if (image_type != kImageGif) image.SetDecodeBox(shape.fit_width, shape.fit_height);
        image.SetTrueColours(shape.true_colours);
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
