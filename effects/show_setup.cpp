#include "effects/show_setup.h"

#include "effects/effect_selection.h"

namespace gd {

bool ApplyShowOption(ShowSettings& settings, OptionId option, int64_t value) {
    const int32_t v = int32_t(value);
    switch (option) {
    case OptionId::kBgColor: settings.background_color = ColorRef(value); return true;
    case OptionId::kShufflePic: settings.shuffle_pictures = v != 0; return true;
    case OptionId::kPicturePause: settings.picture_pause = v; return true;
    case OptionId::kEffectMilliSecond: settings.effect_duration = v; return true;
    case OptionId::kAutoAdjustSize: settings.auto_adjust_size = v != 0; return true;
    case OptionId::kMovePicture: settings.move_picture = v != 0; return true;
    case OptionId::kSmoothScaling: settings.smooth_scaling = v != 0; return true;
    case OptionId::kShuffleRounds: settings.shuffle_rounds = v != 0; return true;
    case OptionId::kPanZoom: settings.pan_zoom = v != 0; return true;
    case OptionId::kPanZoomStrength: settings.pan_zoom_strength = v; return true;
    case OptionId::kBackdrop: settings.backdrop = v; return true;
    case OptionId::kScaleTexts: settings.scale_texts = v != 0; return true;
    default: return false;
    }
}

void SetUpShowSettings(ShowSettings& settings, const SaverConfig& config, ShowVariant variant) {
    for (const OptionRow& row : kOptions)
        if (IsNumberKind(row.kind)) ApplyShowOption(settings, row.id, NumberOf(config, row.field));
    settings.picture_count = config.picture_count;
    if (variant == ShowVariant::kPreview) {
        settings.show_captions = false;  // and no banner: its text stays empty
    } else {
        settings.banner_text = config.texts ? config.texts->banner : config.banner;
        settings.banner_font = config.banner_font;
        if (config.texts) settings.banner_font.face_name = config.texts->banner_face;
        settings.banner_form = config.texts ? TextForm::kUtf8 : TextForm::kAnsi;
        settings.banner_color = config.banner_color;
        settings.banner_position = config.banner_pos;
    }
    settings.effects.clear();
    for (int32_t id = 1; id <= kKnownEffects; ++id) {
        if (EffectFlagOn(config.effect_on, config.effect_count, id)) AddEffect(settings, id, false);
    }
}

}  // namespace gd
