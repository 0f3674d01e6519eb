#pragma once
// The settings of one show window, with the values a new show starts from. The window
// owns them; the show thread reads them and keeps its picture and effect positions here,
// so the positions survive a stop and a restart of the show.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "common/shuffle_rounds.h"
#include "raster/text_form.h"

namespace gd {

class PictureSlot;

struct ShowSettings {
    int32_t picture_pause = 1;         // seconds a picture stays after its transition
    int32_t effect_duration = 10000;   // D, milliseconds one transition takes
    ColorRef background_color = 0;
    bool transition_effects = true;    // off: every picture is shown at once
    bool shuffle_pictures = true;
    bool random_effect_order = true;
    bool auto_adjust_size = true;

    // The caption of the picture loaded last; LoadNextPicture empties the text first, so
    // a picture without a caption shows none (font, colour and position stay).
    std::string caption_text;
    LogFont caption_font;
    TextForm caption_form = TextForm::kAnsi;  // of the text and the font's face name
    ColorRef caption_color = 0;
    int32_t caption_position = 0;      // 0..8, see caption_layout.h

    // The effect selection list (see AddEffect) and the position of the last pick.
    std::vector<int32_t> effects;
    int32_t effect_position = -1;

    int32_t current_picture = -1;

    int32_t banner_position = 0;       // 0 top centre, 1 bottom centre
    ColorRef banner_color = 0;
    LogFont banner_font;
    std::string banner_text;
    TextForm banner_form = TextForm::kAnsi;   // of the text and the font's face name

    bool show_captions = true;
    int32_t picture_count = 0;         // N
    bool move_picture = true;

    // Options newer than the configuration record; each starts at what a show made
    // before it did.
    bool smooth_scaling = false;       // filtered scaling instead of dropped rows and columns
    bool shuffle_rounds = false;       // shuffled: every picture once a round (ShuffleRounds)
    bool pan_zoom = false;             // pictures drift during their pause
    int32_t pan_zoom_strength = 15;    // percent
    int32_t backdrop = 0;              // 0 background colour, 1 blurred copy of the picture
    ShuffleRounds picture_rounds;      // the round being played, with shuffle_rounds
    bool scale_texts = false;          // captions and banner at display_dpi (text_scale.h)

    // Where the show plays, set by its window rather than by options.
    int32_t display_dpi = 96;          // of the show's monitor
    // Time-paced frames (the cross-fade, the drift) at least this far apart; 0: one a
    // display refresh. The shows of several monitors space theirs out to share the
    // machine (SlideStage::FrameIntervalForShows).
    int32_t frame_interval_ms = 0;
    // The picture sequence this show shares with the shows of other monitors
    // (picture_sequence.h); none: the show draws its own.
    std::shared_ptr<PictureSlot> shared_pictures;

    // The maker's effect demonstration: one effect played again and again, with fixed
    // short sleeps per step instead of pacing over the effect duration (see DemoPace in
    // slide_stage.h).
    bool demo_mode = false;
    int32_t demo_speed = 10;           // s of the demonstration's sleep rules
    int32_t demo_effect = -1;          // the effect the demonstration plays
};

}  // namespace gd
