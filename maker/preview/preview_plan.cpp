#include "maker/preview/preview_plan.h"

#include "common/caption_record.h"
#include "common/caption_texts.h"
#include "common/saver_config.h"
#include "common/saver_extras.h"
#include "effects/show_setup.h"
#include "maker/project/path_rules.h"
#include "maker/project/saver_builder.h"

namespace gd {
namespace {

// A picture's caption as the screensaver reads it from the record the build writes.
CaptionRecord StoredCaption(const CParamData& project, const CPictureData& picture) {
    const CaptionRecord written = MakeCaptionRecord(project, picture);
    CaptionRecord read = DecodeCaptionRecord(EncodeCaptionRecord(written)).value_or(written);
    ApplyCaptionTexts(EncodeCaptionTexts(*written.texts), read);
    return read;
}

// The show settings the made screensaver will play with: those of the configuration
// record and the show extras record the build writes for the project, read back as the
// screensaver reads them (texts trimmed and cut to their fields), and set up by the
// screensaver's own rule.
ShowSettings StoredShowSettings(const CParamData& project) {
    const int32_t pictures = int32_t(project.pictureList.size());
    const SaverConfig written = MakeSaverConfig(project, pictures, 0, std::string(kIdentifierLength, '0'), "");
    ShowSettings show;
    if (std::optional<SaverConfig> read = DecodeSaverConfig(EncodeSaverConfig(written))) {
        ApplySaverExtras(EncodeSaverExtras(written), *read);
        SetUpShowSettings(show, *read, ShowVariant::kFullScreen);
    }
    return show;
}

}  // namespace

PreviewPlan MakePreviewPlan(const CParamData& project) {
    PreviewPlan plan;
    if (!project.pictureList.empty()) {
        for (const CPictureData& picture : project.pictureList)
            plan.pictures.push_back({picture.szFile, StoredCaption(project, picture)});
        plan.show = StoredShowSettings(project);
    }
    if (project.bMuteMusic == 0 && !project.musicList.empty()) {
        plan.music = project.musicList;
        plan.shuffle_music = project.bShuffleAudio != 0;
        plan.shuffle_music_rounds = project.bShuffleRounds != 0;
        plan.music_pause = project.nAudioPause;
    }
    plan.exit.mouse_move = project.bMouseMove != 0;
    plan.exit.left_click = project.bMouseLeftClick != 0;
    plan.exit.right_click = project.bMouseRightClick != 0;
    plan.exit.any_key = project.bKeyboardEvent != 0;
    plan.monitor_mode = project.nMonitorMode;
    plan.true_colours = project.bTrueColours != 0;
    return plan;
}

std::vector<PictureFile> DemoPictureFiles(const std::string& program_folder) {
    const std::string data = JoinPath(program_folder, "data");
    return {{JoinPath(data, "pic1.jpg"), CaptionRecord{}}, {JoinPath(data, "pic2.jpg"), CaptionRecord{}}};
}

}  // namespace gd
