#include "effects/show_setup.h"

#include "effects/effect_selection.h"

namespace gd {

void SetUpShowSettings(ShowSettings& settings, const SaverConfig& config, ShowVariant variant) {
    settings.background_color = config.bg_color;
    settings.shuffle_pictures = config.shuffle_pic != 0;
    settings.picture_pause = config.picture_pause;
    settings.effect_duration = config.effect_millisecond;
    settings.auto_adjust_size = config.auto_adjust_size != 0;
    settings.move_picture = config.move_picture != 0;
    settings.picture_count = config.picture_count;
    if (variant == ShowVariant::kPreview) {
        settings.show_captions = false;  // and no banner: its text stays empty
    } else {
        settings.banner_text = config.banner;
        settings.banner_font = config.banner_font;
        settings.banner_color = config.banner_color;
        settings.banner_position = config.banner_pos;
    }
    settings.effects.clear();
    for (int32_t id = 1; id <= 44; ++id) {
        if (config.effect_on[size_t(id)] == 1) AddEffect(settings, id, false);
    }
}

}  // namespace gd
