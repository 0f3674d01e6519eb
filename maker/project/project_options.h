#pragma once
// The maker's column of the options table (common/show_options.h): for each row, the
// member of CParamData that holds the option and the item of the project file that
// stores it. The project's defaults, the build's copy into the configuration record, the
// project file's option items and its extension block all work from it.

#include <array>
#include <cstdint>

#include "common/saver_config.h"
#include "common/show_options.h"
#include "maker/project/param_data.h"

namespace gd {

// The option lives in the project file's extension block (project_extension.h), not in
// one of the fixed items.
constexpr int kInExtensionBlock = 0;
// The fixed items of the project file that hold options: the banner font, the effect
// flags, and the run of items 16 to 30, which hold nothing else.
constexpr int kBannerFontItem = 1, kEffectFlagsItem = 6, kFirstOptionItem = 16, kLastOptionItem = 30;

struct ProjectOption {
    OptionId id;
    OptionMember<CParamData> member;
    int file_item;  // the item of the project file's fixed layout, or kInExtensionBlock
};

inline constexpr std::array<ProjectOption, kOptionCount> kProjectOptions = {{
    {OptionId::kBgColor, &CParamData::crBgColor, 16},
    {OptionId::kMouseMove, &CParamData::bMouseMove, 17},
    {OptionId::kMouseLeftClick, &CParamData::bMouseLeftClick, 18},
    {OptionId::kMouseRightClick, &CParamData::bMouseRightClick, 19},
    {OptionId::kKeyboardEvent, &CParamData::bKeyboardEvent, 20},
    {OptionId::kShuffleAudio, &CParamData::bShuffleAudio, 21},
    {OptionId::kAudioPause, &CParamData::nAudioPause, 22},
    {OptionId::kMuteMusic, &CParamData::bMuteMusic, 27},
    {OptionId::kShufflePic, &CParamData::bShufflePic, 23},
    {OptionId::kAutoAdjustSize, &CParamData::bAutoAdjustSize, 24},
    {OptionId::kMovePicture, &CParamData::bMovePicture, kInExtensionBlock},
    {OptionId::kEffectMilliSecond, &CParamData::nEffectMilliSecond, 25},
    {OptionId::kPicturePause, &CParamData::nPicturePause, 26},
    {OptionId::kEffectOn, &CParamData::bEffectOn, 6},
    {OptionId::kBanner, &CParamData::szBanner, 28},
    {OptionId::kBannerFont, &CParamData::lfBanner, 1},
    {OptionId::kBannerColor, &CParamData::crBanner, 29},
    {OptionId::kBannerPos, &CParamData::nBannerPos, 30},
    {OptionId::kEffectCount, &CParamData::nEffectCount, kInExtensionBlock},
    {OptionId::kSmoothScaling, &CParamData::bSmoothScaling, kInExtensionBlock},
    {OptionId::kShuffleRounds, &CParamData::bShuffleRounds, kInExtensionBlock},
    {OptionId::kPanZoom, &CParamData::bPanZoom, kInExtensionBlock},
    {OptionId::kPanZoomStrength, &CParamData::nPanZoom, kInExtensionBlock},
    {OptionId::kBackdrop, &CParamData::nBackdrop, kInExtensionBlock},
    {OptionId::kMonitorMode, &CParamData::nMonitorMode, kInExtensionBlock},
    {OptionId::kScaleTexts, &CParamData::bScaleTexts, kInExtensionBlock},
    {OptionId::kFitWidth, &CParamData::nFitWidth, kInExtensionBlock},
    {OptionId::kFitHeight, &CParamData::nFitHeight, kInExtensionBlock},
    {OptionId::kTrueColours, &CParamData::bTrueColours, kInExtensionBlock},
    {OptionId::kCaptionFields, &CParamData::bCaptionFields, kInExtensionBlock},
}};

constexpr const ProjectOption& ProjectOptionOf(OptionId id) { return kProjectOptions[size_t(id)]; }

// The option of a fixed item of the project file, or nullptr.
const ProjectOption* OptionAtFileItem(int item);

// The number value of a number option of the project.
inline int64_t ProjectNumber(const CParamData& project, OptionId id) {
    return NumberOf(project, ProjectOptionOf(id).member);
}

// Every option to its value in a new project.
void SetOptionDefaults(CParamData& project);

// Every option of the extension block to the value a file without the block reads as
// (AbsentValue): the project as a version before those options saved it.
void SetAbsentOptions(CParamData& project);

// Whether effect `id` is on in the project: its flag is 1 and the project's flags speak
// for it (a project saved before effect 45 existed has a 1 there that nobody chose).
bool ProjectEffectOn(const CParamData& project, int32_t id);
// Turns effect `id` on or off; turning on an effect beyond what the flags spoke for
// makes them speak for every known effect, keeping the others as they were shown (off).
void SetProjectEffectOn(CParamData& project, int32_t id, bool on);

// Removes the white space around every text option (the banner), as the build leaves the
// project it made.
void TrimTextOptions(CParamData& project);

// Every option of the project into the configuration record, as a made screensaver
// carries it in its 744 bytes: the banner trimmed, texts and face names in their best-fit
// code-page bytes (their Unicode forms are MakeSaverConfig's).
void CopyOptionsToConfig(const CParamData& project, SaverConfig& config);

}  // namespace gd
