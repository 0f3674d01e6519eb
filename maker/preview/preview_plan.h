#pragma once
// What the maker's full-screen preview plays, taken from the open project before the
// preview starts: the show settings, the picture files with their captions, the music
// files and the events that end the preview. The preview thread works on this copy only,
// never on the project, which belongs to the maker's window.

#include <cstdint>
#include <string>
#include <vector>

#include "effects/picture_source.h"
#include "effects/show_settings.h"
#include "maker/project/param_data.h"

namespace gd {

// The events that end the preview besides Escape and losing the activation, which
// always do.
struct PreviewExitFlags {
    bool any_key = true;
    bool right_click = true;
    bool left_click = true;  // the middle button too
    bool mouse_move = true;
};

struct PreviewPlan {
    ShowSettings show;
    std::vector<PictureFile> pictures;  // in project order; show.picture_count of them
    std::vector<std::string> music;     // empty: no music plays (none listed, or muted)
    bool shuffle_music = true;
    bool shuffle_music_rounds = false;  // every track once a round
    int32_t music_pause = 0;            // seconds between two tracks
    PreviewExitFlags exit;
    int32_t monitor_mode = 0;           // nMonitorMode: where the preview plays (player/screen_layout.h)
    bool true_colours = true;           // bTrueColours: pictures in sRGB by their profiles, as made
};

// The project as the made screensaver will show it. With pictures: every picture with
// its caption, the enabled effects 1..44 in ascending order, background, shuffle, pauses,
// effect duration, size adjustment, movement and banner; transitions, random effect
// order and captions are always on. Texts and font names are taken as the screensaver
// stores them (code-page bytes, trimmed, cut to their fields), so the preview draws the
// same letters. Without pictures the show keeps the values of a new show and never
// starts. Music, exit events, the monitor mode and whether colour profiles are followed come
// from the project as it is.
PreviewPlan MakePreviewPlan(const CParamData& project);

// The effect demonstration's two sample pictures in the program folder:
// data/pic1.jpg and data/pic2.jpg, without captions.
std::vector<PictureFile> DemoPictureFiles(const std::string& program_folder);

}  // namespace gd
