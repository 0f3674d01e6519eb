#pragma once
// Where the show's pictures come from, and the order in which it shows them. Every source
// (a made screensaver's resources, the maker's picture files) gives pictures by index
// 0..N-1 with an optional caption; LoadNextPicture applies the same sequencing to all.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/caption_record.h"
#include "effects/show_settings.h"
#include "imaging/cx_image.h"

namespace gd {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Decodes picture `index` into `image`; false when it is missing or does not decode.
    virtual bool DecodePicture(int32_t index, CxImage& image) = 0;
    // The caption of picture `index`; nothing when it has none or it cannot be read.
    virtual std::optional<CaptionRecord> Caption(int32_t index) = 0;
};

// Chooses the next picture for settings.picture_count = N pictures and loads it with its
// caption into `image` and the settings:
//   N = 1: the picture alternates with an empty frame (a 0 x 0 image), so that it enters
//          with a transition every time;
//   N = 2: 0, 1, 0, 1, ... whatever the shuffle flag;
//   N >= 3: shuffled (drawn at random, never the current one again; with shuffle by
//          rounds, every picture once a round, see common/shuffle_rounds.h) or in
//          order with wrap-around;
//   N >= 2 with a shared sequence (settings.shared_pictures): the sequence's next picture
//          for this show (picture_sequence.h), which the shows of other monitors share.
// A caption with texts in Unicode is drawn from them (TextForm::kUtf8), any other from
// its record's ANSI text. The caption text is emptied first. False when N is 0 or the
// chosen picture is missing
// or does not decode (the index has moved on all the same).
bool LoadNextPicture(ShowSettings& settings, PictureSource& source, CxImage& image);

// The pictures of a made screensaver: entry (RT_SAVER_PICTURE, index) holds the encoded
// picture, (RT_SAVER_CAPTION, index) its 136-byte caption record and
// (RT_SAVER_CAPTION_TEXTS, index), when there, the caption's texts in Unicode. `find` looks an entry up
// (type, id) and gives its bytes, valid while the source lives.
class ResourcePictureSource : public PictureSource {
public:
    using Find = std::function<std::optional<std::span<const uint8_t>>(uint16_t type, uint16_t id)>;
    explicit ResourcePictureSource(Find find) : find_(std::move(find)) {}
    bool DecodePicture(int32_t index, CxImage& image) override;
    std::optional<CaptionRecord> Caption(int32_t index) override;

private:
    Find find_;
};

// Picture files on disk, each with an optional caption (the maker's preview and tools).
struct PictureFile {
    std::string path;
    std::optional<CaptionRecord> caption;
};

// With `true_colours` off, a file's colour profile is ignored (CxImage::SetTrueColours),
// as the maker does for a project saved before it read profiles.
class FilePictureSource : public PictureSource {
public:
    explicit FilePictureSource(std::vector<PictureFile> files, bool true_colours = true)
        : files_(std::move(files)), true_colours_(true_colours) {}
    int32_t count() const { return int32_t(files_.size()); }
    bool DecodePicture(int32_t index, CxImage& image) override;
    std::optional<CaptionRecord> Caption(int32_t index) override;

private:
    std::vector<PictureFile> files_;
    bool true_colours_;
};

}  // namespace gd
