#include "effects/picture_source.h"

#include "common/caption_texts.h"
#include "common/resource_types.h"
#include "effects/picture_sequence.h"

namespace gd {
namespace {

// Advances settings.current_picture for N >= 2: from the sequence the show shares with
// the shows of other monitors, or by the show's own rules.
int32_t NextIndex(ShowSettings& settings) {
    const PictureOrder order{settings.picture_count, settings.shuffle_pictures, settings.shuffle_rounds};
    if (settings.shared_pictures) return settings.shared_pictures->Next(order);
    return NextPictureIndex(order, settings.current_picture, settings.picture_rounds);
}

}  // namespace

bool LoadNextPicture(ShowSettings& settings, PictureSource& source, CxImage& image) {
    settings.caption_text.clear();
    if (settings.picture_count <= 0) return false;
    if (settings.picture_count == 1) {
        if (settings.current_picture != -1) {
            // The empty frame between two showings of the only picture.
            image.Destroy();
            image.Create(0, 0, 24);
            settings.current_picture = -1;
            return true;
        }
        settings.current_picture = 0;
    } else {
        settings.current_picture = NextIndex(settings);
    }
    const int32_t index = settings.current_picture;
    if (!source.DecodePicture(index, image)) return false;
    if (std::optional<CaptionRecord> caption = source.Caption(index)) {
        settings.caption_text = caption->texts ? caption->texts->text : caption->text;
        settings.caption_color = caption->color;
        settings.caption_font = caption->font;
        if (caption->texts) settings.caption_font.face_name = caption->texts->face_name;
        settings.caption_form = caption->texts ? TextForm::kUtf8 : TextForm::kAnsi;
        settings.caption_position = caption->position;
    }
    return true;
}

bool ResourcePictureSource::DecodePicture(int32_t index, CxImage& image) {
    if (index < 0 || index > 0xFFFF) return false;
    auto bytes = find_(RT_SAVER_PICTURE, uint16_t(index));
    return bytes && image.LoadResource(*bytes);
}

std::optional<CaptionRecord> ResourcePictureSource::Caption(int32_t index) {
    if (index < 0 || index > 0xFFFF) return std::nullopt;
    auto bytes = find_(RT_SAVER_CAPTION, uint16_t(index));
    if (!bytes) return std::nullopt;
    std::optional<CaptionRecord> caption = DecodeCaptionRecord(*bytes);  // refuses any size but 136
    if (caption)
        if (auto texts = find_(RT_SAVER_CAPTION_TEXTS, uint16_t(index))) ApplyCaptionTexts(*texts, *caption);
    return caption;
}

bool FilePictureSource::DecodePicture(int32_t index, CxImage& image) {
    if (index < 0 || index >= count()) return false;
    image.SetTrueColours(true_colours_);
    return image.Load(files_[size_t(index)].path);
}

std::optional<CaptionRecord> FilePictureSource::Caption(int32_t index) {
    if (index < 0 || index >= count()) return std::nullopt;
    return files_[size_t(index)].caption;
}

}  // namespace gd
