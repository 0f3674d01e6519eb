#pragma once
// The 744-byte configuration record of a made screensaver (resource RT_SAVER_CONFIG,
// id 0). The maker writes it last; the runtime refuses a record of any other size.
// Flags are kept as the stored int32 so a record round-trips byte for byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/color_ref.h"
#include "common/log_font.h"

namespace gd {

constexpr size_t kSaverConfigSize = 744;
constexpr size_t kIdentifierLength = 32;
constexpr size_t kEffectFlagCount = 64;

// Text limits in bytes; longer texts are cut when encoded.
constexpr size_t kNameLimit = 30;
constexpr size_t kAuthorLimit = 30;
constexpr size_t kEmailLimit = 50;
constexpr size_t kHomePageLimit = 50;
constexpr size_t kCopyrightLimit = 50;
constexpr size_t kDescriptionLimit = 200;
constexpr size_t kBuildTimeLimit = 19;  // "%Y-%m-%d %H:%M:%S"
constexpr size_t kBannerLimit = 64;

// Effect flags: byte i enables effect i. Records and projects written before the show
// extras record named its effect count knew effects 1 to 44 and set every other byte to
// 1 (a new project's flags are all 1), so byte 45 of those says nothing; only a record
// whose count reaches an effect may turn it on.
constexpr int32_t kEffectsOfOldRecords = 44;
constexpr int32_t kKnownEffects = 45;  // 1..44, then 45 "Cross Fade"
inline bool EffectFlagOn(std::span<const uint8_t> flags, int32_t effect_count, int32_t id) {
    return id >= 1 && id <= effect_count && id <= kKnownEffects && size_t(id) < flags.size() && flags[size_t(id)] == 1;
}

// The configuration's texts in Unicode (UTF-8), as the show extras record carries them
// (saver_extras.h); the record's narrow fields hold their best-fit Western form.
struct SaverTexts {
    std::string name;
    std::string author;
    std::string email;
    std::string home_page;
    std::string copyright;
    std::string description;
    std::string banner;       // trimmed, as the narrow field
    std::string banner_face;  // the banner font's face name

    friend bool operator==(const SaverTexts&, const SaverTexts&) = default;
};

struct SaverConfig {
    std::string identifier;  // 32 hexadecimal digits, see FormatSaverIdentifier
    int32_t maker_value = 0; // offset 36: not read by the runtime
    std::string name;
    std::string author;
    std::string email;
    std::string home_page;
    std::string copyright;
    std::string description;
    std::string build_time;
    ColorRef bg_color = 0;
    int32_t mouse_move = 0;
    int32_t mouse_left_click = 0;
    int32_t mouse_right_click = 0;
    int32_t keyboard_event = 0;
    int32_t has_music = 0;  // 1 when music_count > 0
    int32_t shuffle_audio = 0;
    int32_t music_count = 0;
    int32_t audio_pause = 0;  // seconds after each track
    int32_t mute_music = 0;
    int32_t has_pictures = 0;  // 1 when picture_count > 0
    int32_t shuffle_pic = 0;
    int32_t picture_count = 0;
    int32_t auto_adjust_size = 0;
    int32_t move_picture = 0;
    int32_t effect_millisecond = 0;
    int32_t picture_pause = 0;  // seconds after each picture
    // Byte i enables effect i (1..44); the others carry the project's values.
    std::array<uint8_t, kEffectFlagCount> effect_on{};
    std::string banner;  // stored with leading and trailing white space removed
    LogFont banner_font;
    ColorRef banner_color = 0;
    int32_t banner_pos = 0;  // 0 top centre, 1 bottom centre

    // Options beyond the 744 bytes, carried by the show extras record only (saver_extras.h).
    // Each starts at what a screensaver made before the option did, so a record read
    // without extras plays as it always has.
    int32_t effect_count = kEffectsOfOldRecords;  // the effects the maker knew (see EffectFlagOn)
    int32_t smooth_scaling = 0;       // pictures filtered when scaled, instead of dropped rows and columns
    int32_t shuffle_rounds = 0;       // a shuffled show plays every picture (track) once per round
    int32_t pan_zoom = 0;             // pictures drift during their pause
    int32_t pan_zoom_strength = 15;   // how far, percent of the picture's size
    int32_t backdrop = 0;             // 0 the background colour, 1 a blurred copy of the picture
    int32_t monitor_mode = 0;         // 0 primary monitor only, 1 the same show on each, 2 a picture each
    int32_t scale_texts = 0;          // captions and banner scaled to each monitor's DPI
    // The texts in Unicode, from the show extras record. Nothing in a screensaver made
    // before them: its narrow fields are then text in the platform's ANSI code page,
    // shown and drawn with the platform's ANSI functions, exactly as they always were.
    std::optional<SaverTexts> texts;

    // Settings of the build, in no record (a made screensaver holds pictures already
    // fitted): here so that the options table can name them like every other option.
    int32_t fit_width = 0;
    int32_t fit_height = 0;
    int32_t true_colours = 1;
    int32_t caption_fields = 1;

    friend bool operator==(const SaverConfig&, const SaverConfig&) = default;
};

// The whole record, zero bytes wherever no field lies; texts cut to their limits.
std::vector<uint8_t> EncodeSaverConfig(const SaverConfig& config);
// Refuses anything but exactly kSaverConfigSize bytes.
std::optional<SaverConfig> DecodeSaverConfig(std::span<const uint8_t> bytes);

}  // namespace gd
