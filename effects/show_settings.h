#pragma once
// The settings of one show window, with the values a new show starts from. The window
// owns them; the show thread reads them and keeps its picture and effect positions here,
// so the positions survive a stop and a restart of the show.

#include <cstdint>
#include <string>
#include <vector>

namespace gd {

struct ShowSettings {
    int32_t picture_pause = 1;         // seconds a picture stays after its transition
    int32_t effect_duration = 10000;   // D, milliseconds one transition takes
    uint32_t background_color = 0;     // ColorRef, 0x00BBGGRR
    bool transition_effects = true;    // off: every picture is shown at once
    bool shuffle_pictures = true;
    bool random_effect_order = true;
    bool auto_adjust_size = true;

    // The effect selection list (see AddEffect) and the position of the last pick.
    std::vector<int32_t> effects;
    int32_t effect_position = -1;

    int32_t current_picture = -1;
    bool show_captions = true;
    int32_t picture_count = 0;         // N
    bool move_picture = true;

    // The maker's effect demonstration: fixed short sleeps per step instead of pacing
    // over the effect duration (see DemoPace in slide_stage.h).
    bool demo_mode = false;
    int32_t demo_speed = 10;           // s of the demonstration's sleep rules
};

}  // namespace gd
