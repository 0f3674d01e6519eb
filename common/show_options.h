#pragma once
// The options table: one row per option of the show, its end and its music and banner
// (everything the maker's Settings page edits and a made screensaver's configuration
// carries besides its texts and counts). Every reader and writer of an option works from
// its row: the maker's build (project to configuration record), the run-time settings
// file, the project file, `glimmerdeck show`, `set` and `info`, and both settings
// screens. Adding an option is one row here (and its name in OptionId), plus what lies
// above this layer:
//   - its member of the maker's project and the line naming that member beside the row
//     (maker/project/project_options.h), since this layer cannot name maker types;
//   - its controls, by id, on the screens that show it (maker/win32/setting_view.cpp,
//     runtime/win32/settings_pages.cpp): ids belong to their programs' templates.
// A new option has no room in the 744-byte record: its home is the show extras record
// (saver_extras.h) and the project file's extension block (project_extension.h). Each
// option must have a default that keeps a show made before it, or a project saved before
// it, as it was.
//
// Rows are in the order of the configuration record, which is also the order of the
// settings file's keys.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "common/saver_config.h"

namespace gd {

enum class OptionId : uint8_t {
    kBgColor,
    kMouseMove,
    kMouseLeftClick,
    kMouseRightClick,
    kKeyboardEvent,
    kShuffleAudio,
    kAudioPause,
    kMuteMusic,
    kShufflePic,
    kAutoAdjustSize,
    kMovePicture,
    kEffectMilliSecond,
    kPicturePause,
    kEffectOn,
    kBanner,
    kBannerFont,
    kBannerColor,
    kBannerPos,
    kEffectCount,
    kSmoothScaling,
    kShuffleRounds,
    kPanZoom,
    kPanZoomStrength,
    kBackdrop,
    kMonitorMode,
    kScaleTexts,
    kFitWidth,
    kFitHeight,
    kTrueColours,
    kCaptionFields,
    kCount
};
constexpr size_t kOptionCount = size_t(OptionId::kCount);

enum class OptionKind : uint8_t {
    kFlag,         // int32, 0 or 1
    kNumber,       // int32 within [min, max]
    kPosition,     // int32, an index into the option's list (the banner: 0 top, 1 bottom)
    kColor,        // ColorRef 0x00BBGGRR
    kText,         // at most `max` bytes in the records
    kFont,         // LogFont
    kEffectFlags,  // 64 bytes, one per effect identifier
};

// Flags, numbers, positions and colours: options whose value is one number.
constexpr bool IsNumberKind(OptionKind kind) { return kind <= OptionKind::kColor; }

// How a list shows an option's value and reads its entry back.
enum class ListText : uint8_t {
    kNone,                   // not shown in a list
    kSeconds,                // "%d" of the value
    kMillisecondsAsSeconds,  // "%g" of the value / 1000; an entry reads as seconds x 1000
    kIndex,                  // the entry at the value's index
};

// Where a made screensaver carries the option (bits).
enum OptionHome : uint8_t {
    kMakerOnly = 0,       // a setting of the build: no made screensaver carries it
    kInConfigRecord = 1,  // a field of the 744-byte record
    kInShowExtras = 2,    // an entry of the show extras record, which wins when present
};

// A member of a record that holds options: the configuration record here, the maker's
// project above. The alternative follows the kind: int32 for flags, numbers and
// positions, ColorRef, text, font, effect flags.
using EffectFlags = std::array<uint8_t, kEffectFlagCount>;
template <class Record> using OptionMember = std::variant<int32_t Record::*, ColorRef Record::*, std::string Record::*,
                                                          LogFont Record::*, EffectFlags Record::*>;

// The member of a record that an option names, as its type T (which must be the kind's).
template <class T, class Record> T& MemberOf(Record& record, const OptionMember<Record>& member) {
    return record.*std::get<T Record::*>(member);
}
template <class T, class Record> const T& MemberOf(const Record& record, const OptionMember<Record>& member) {
    return record.*std::get<T Record::*>(member);
}

constexpr size_t MemberIndexFor(OptionKind kind) {
    switch (kind) {
    case OptionKind::kColor: return 1;
    case OptionKind::kText: return 2;
    case OptionKind::kFont: return 3;
    case OptionKind::kEffectFlags: return 4;
    default: return 0;
    }
}

using Entries = std::span<const std::string_view>;

struct OptionRow {
    OptionId id;
    std::string_view key;  // as `glimmerdeck show` prints it; the project's member has this name
    OptionKind kind;
    OptionMember<SaverConfig> field;
    uint8_t homes = kInConfigRecord;  // OptionHome bits
    std::string_view ini_key = {};    // the run-time settings file's key; empty when it has none
    int64_t default_value = 0;        // of a new project; effect flags: each flag
    // What a screensaver or project made before the option stands for, when it differs
    // from a new project's value (see AbsentValue): the value that plays as they did.
    std::optional<int64_t> absent = {};
    int64_t min = 0;                  // number kinds: the range; texts: max is the byte limit
    int64_t max = 0;
    Entries maker_list = {};          // the entries of its list on the maker's Settings page
    Entries runtime_list = {};        // the entries of its list in the screensaver's settings dialog
    ListText list_text = ListText::kNone;
};

// The lists' entries, exactly as each screen has always shown them: the Settings page's
// music pause "25 " ends in a blank, the screensaver dialog's does not; both read as 25.
inline constexpr std::string_view kPicturePauseEntries[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
inline constexpr std::string_view kEffectDurationEntries[] = {"1", "1.5", "2", "2.5", "3", "4",
                                                              "5", "6",   "7", "8",   "9", "10"};
inline constexpr std::string_view kMakerMusicPauseEntries[] = {"1", "2", "3",  "4",  "5",  "6",   "7",
                                                               "8", "9", "10", "15", "20", "25 ", "30"};
inline constexpr std::string_view kRuntimeMusicPauseEntries[] = {"1", "2", "3",  "4",  "5",  "6",  "7",
                                                                 "8", "9", "10", "15", "20", "25", "30"};
inline constexpr std::string_view kBannerPositionEntries[] = {"Top center", "Bottom center"};
inline constexpr std::string_view kPanZoomEntries[] = {"5", "10", "15", "20", "25", "30"};
inline constexpr std::string_view kBackdropEntries[] = {"Background color", "Blurred picture"};
inline constexpr std::string_view kMonitorModeEntries[] = {"Primary monitor only", "The same show on each monitor",
                                                           "A different picture on each monitor"};

inline constexpr int64_t kMaxColor = 0xFFFFFF;
inline constexpr int64_t kMaxPauseSeconds = 3600;
inline constexpr int64_t kMaxEffectMilliseconds = 600000;
inline constexpr int64_t kMaxFitSide = 32767;  // the largest picture side the image facade reads

// A flag of the configuration record, saved in the settings file under its own key.
constexpr OptionRow FlagRow(OptionId id, std::string_view key, int32_t SaverConfig::*field, int64_t default_value,
                            uint8_t homes = kInConfigRecord) {
    return {.id = id, .key = key, .kind = OptionKind::kFlag, .field = field, .homes = homes, .ini_key = key,
            .default_value = default_value, .min = 0, .max = 1};
}
// A flag of the show extras record only: off in everything made before it.
constexpr OptionRow ExtrasFlagRow(OptionId id, std::string_view key, int32_t SaverConfig::*field,
                                  int64_t default_value) {
    return {.id = id, .key = key, .kind = OptionKind::kFlag, .field = field, .homes = kInShowExtras, .ini_key = key,
            .default_value = default_value, .absent = 0, .min = 0, .max = 1};
}

inline constexpr std::array<OptionRow, kOptionCount> kOptions = {{
    {.id = OptionId::kBgColor, .key = "crBgColor", .kind = OptionKind::kColor, .field = &SaverConfig::bg_color,
     .ini_key = "crBgColor", .default_value = 0, .min = 0, .max = kMaxColor},
    FlagRow(OptionId::kMouseMove, "bMouseMove", &SaverConfig::mouse_move, 1),
    FlagRow(OptionId::kMouseLeftClick, "bMouseLeftClick", &SaverConfig::mouse_left_click, 1),
    FlagRow(OptionId::kMouseRightClick, "bMouseRightClick", &SaverConfig::mouse_right_click, 1),
    FlagRow(OptionId::kKeyboardEvent, "bKeyboardEvent", &SaverConfig::keyboard_event, 1),
    FlagRow(OptionId::kShuffleAudio, "bShuffleAudio", &SaverConfig::shuffle_audio, 1),
    {.id = OptionId::kAudioPause, .key = "nAudioPause", .kind = OptionKind::kNumber, .field = &SaverConfig::audio_pause,
     .ini_key = "nAudioPause", .default_value = 5, .min = 0, .max = kMaxPauseSeconds,
     .maker_list = kMakerMusicPauseEntries, .runtime_list = kRuntimeMusicPauseEntries,
     .list_text = ListText::kSeconds},
    FlagRow(OptionId::kMuteMusic, "bMuteMusic", &SaverConfig::mute_music, 0),
    FlagRow(OptionId::kShufflePic, "bShufflePic", &SaverConfig::shuffle_pic, 1),
    FlagRow(OptionId::kAutoAdjustSize, "bAutoAdjustSize", &SaverConfig::auto_adjust_size, 0),
    // Also the first entry of the show extras record, so that a made screensaver has one.
    FlagRow(OptionId::kMovePicture, "bMovePicture", &SaverConfig::move_picture, 1, kInConfigRecord | kInShowExtras),
    {.id = OptionId::kEffectMilliSecond, .key = "nEffectMilliSecond", .kind = OptionKind::kNumber,
     .field = &SaverConfig::effect_millisecond, .ini_key = "nEffectMilliSecond", .default_value = 2000, .min = 1,
     .max = kMaxEffectMilliseconds, .maker_list = kEffectDurationEntries, .runtime_list = kEffectDurationEntries,
     .list_text = ListText::kMillisecondsAsSeconds},
    {.id = OptionId::kPicturePause, .key = "nPicturePause", .kind = OptionKind::kNumber,
     .field = &SaverConfig::picture_pause, .ini_key = "nPicturePause", .default_value = 3, .min = 0,
     .max = kMaxPauseSeconds, .maker_list = kPicturePauseEntries, .runtime_list = kPicturePauseEntries,
     .list_text = ListText::kSeconds},
    {.id = OptionId::kEffectOn, .key = "bEffectOn", .kind = OptionKind::kEffectFlags, .field = &SaverConfig::effect_on,
     .ini_key = "szEffect", .default_value = 1, .min = 0, .max = 1},
    {.id = OptionId::kBanner, .key = "szBanner", .kind = OptionKind::kText, .field = &SaverConfig::banner,
     .max = kBannerLimit},
    {.id = OptionId::kBannerFont, .key = "lfBanner", .kind = OptionKind::kFont, .field = &SaverConfig::banner_font},
    {.id = OptionId::kBannerColor, .key = "crBanner", .kind = OptionKind::kColor, .field = &SaverConfig::banner_color,
     .default_value = 0xFFFFFF, .min = 0, .max = kMaxColor},
    {.id = OptionId::kBannerPos, .key = "nBannerPos", .kind = OptionKind::kPosition, .field = &SaverConfig::banner_pos,
     .default_value = 0, .min = 0, .max = 1, .maker_list = kBannerPositionEntries, .list_text = ListText::kIndex},
    // The options below live in the show extras record only.
    // How many effects the effect flags speak for (EffectFlagOn): no settings screen
    // shows it; the maker raises it when the user turns on an effect beyond it.
    {.id = OptionId::kEffectCount, .key = "nEffectCount", .kind = OptionKind::kNumber,
     .field = &SaverConfig::effect_count, .homes = kInShowExtras, .default_value = kKnownEffects,
     .absent = kEffectsOfOldRecords, .min = kEffectsOfOldRecords, .max = kKnownEffects},
    ExtrasFlagRow(OptionId::kSmoothScaling, "bSmoothScaling", &SaverConfig::smooth_scaling, 1),
    ExtrasFlagRow(OptionId::kShuffleRounds, "bShuffleRounds", &SaverConfig::shuffle_rounds, 1),
    ExtrasFlagRow(OptionId::kPanZoom, "bPanZoom", &SaverConfig::pan_zoom, 0),
    {.id = OptionId::kPanZoomStrength, .key = "nPanZoom", .kind = OptionKind::kNumber,
     .field = &SaverConfig::pan_zoom_strength, .homes = kInShowExtras, .ini_key = "nPanZoom", .default_value = 15,
     .min = 1, .max = 50, .maker_list = kPanZoomEntries, .runtime_list = kPanZoomEntries,
     .list_text = ListText::kSeconds},
    {.id = OptionId::kBackdrop, .key = "nBackdrop", .kind = OptionKind::kPosition, .field = &SaverConfig::backdrop,
     .homes = kInShowExtras, .ini_key = "nBackdrop", .default_value = 0, .absent = 0, .min = 0, .max = 1,
     .maker_list = kBackdropEntries, .runtime_list = kBackdropEntries, .list_text = ListText::kIndex},
    // Where the show plays when there are several monitors (player/screen_layout.h): 0 the
    // primary monitor only, the others black (every screensaver made before it); 1 the
    // same show on every monitor; 2 a different picture on each.
    {.id = OptionId::kMonitorMode, .key = "nMonitorMode", .kind = OptionKind::kPosition,
     .field = &SaverConfig::monitor_mode, .homes = kInShowExtras, .ini_key = "nMonitorMode", .default_value = 2,
     .absent = 0, .min = 0, .max = 2, .maker_list = kMonitorModeEntries, .runtime_list = kMonitorModeEntries,
     .list_text = ListText::kIndex},
    // Captions and the banner drawn at each monitor's DPI, their font sizes and insets
    // being those of a monitor at 96 DPI (100 %); off, they are drawn at their pixel sizes.
    ExtrasFlagRow(OptionId::kScaleTexts, "bScaleTexts", &SaverConfig::scale_texts, 1),
    // Settings of the build alone, kept by the project file's extension block: pictures
    // larger than this box are shrunk to fit it before they are encoded (0: that side is
    // not limited; both 0, the default, keeps every picture's size as before).
    {.id = OptionId::kFitWidth, .key = "nFitWidth", .kind = OptionKind::kNumber, .field = &SaverConfig::fit_width,
     .homes = kMakerOnly, .default_value = 0, .absent = 0, .min = 0, .max = kMaxFitSide},
    {.id = OptionId::kFitHeight, .key = "nFitHeight", .kind = OptionKind::kNumber, .field = &SaverConfig::fit_height,
     .homes = kMakerOnly, .default_value = 0, .absent = 0, .min = 0, .max = kMaxFitSide},
    // Pictures whose file embeds a colour profile (a phone's Display P3, ...) are turned into
    // sRGB before they are encoded; a project saved before keeps the colours as stored.
    {.id = OptionId::kTrueColours, .key = "bTrueColours", .kind = OptionKind::kFlag,
     .field = &SaverConfig::true_colours, .homes = kMakerOnly, .default_value = 1, .absent = 0, .min = 0, .max = 1},
    // Captions' placeholders ({date}, {file}, {folder}) are filled in when made; a project
    // saved before them makes its captions as typed until one is typed or set with them.
    {.id = OptionId::kCaptionFields, .key = "bCaptionFields", .kind = OptionKind::kFlag,
     .field = &SaverConfig::caption_fields, .homes = kMakerOnly, .default_value = 1, .absent = 0, .min = 0, .max = 1},
}};

constexpr const OptionRow& Option(OptionId id) { return kOptions[size_t(id)]; }

// The value a screensaver or project made before the option stands for: a record
// without the option's entry plays, and a project file without it opens, with this.
constexpr int64_t AbsentValue(const OptionRow& row) { return row.absent.value_or(row.default_value); }

// A settings screen's column of the table: the control, by its id in that program's
// templates, that shows an option on the screen.
struct OptionControl {
    OptionId option;
    int id;
};
// The row of that key, or nullptr.
const OptionRow* FindOption(std::string_view key);

// The banner font of a new project.
LogFont DefaultBannerFont();

// The first inconsistency of a table, or an empty text: rows out of their id's place,
// keys or settings keys used twice, a member of the wrong kind, a default outside the
// range (or an absent value outside it), a list without entries or a position list whose
// range is not its entries (on either screen that lists it), an
// extras entry or a settings-file key for what is no number (the extras record and the
// settings file carry numbers only, besides the settings file's effect flags). The table
// is checked when it is compiled.
std::string_view OptionTableProblem(std::span<const OptionRow> rows);

// The value of a number option of a record: int32 members signed, colours unsigned.
template <class Record> int64_t NumberOf(const Record& record, const OptionMember<Record>& member) {
    if (auto m = std::get_if<int32_t Record::*>(&member)) return record.**m;
    if (auto m = std::get_if<ColorRef Record::*>(&member)) return record.**m;
    return 0;
}
template <class Record> void SetNumber(Record& record, const OptionMember<Record>& member, int64_t value) {
    if (auto m = std::get_if<int32_t Record::*>(&member)) record.** m = int32_t(value);
    if (auto m = std::get_if<ColorRef Record::*>(&member)) record.** m = ColorRef(value);
}
constexpr bool InRange(const OptionRow& row, int64_t value) { return value >= row.min && value <= row.max; }

// The text a list shows for a value, which selects the first entry that begins with it;
// for a position list, the entry itself (empty when there is none).
std::string ListTextOf(const OptionRow& row, Entries entries, int32_t value);
// The value an entry's text (or a text typed in an editable list) reads as; 0 when it is
// not a number. A position list's text reads as its entry's index, -1 when none.
int32_t ListValueOf(const OptionRow& row, Entries entries, std::string_view text);

}  // namespace gd
