#include "maker/preview/preview_plan.h"

#include "common/caption_record.h"
#include "common/saver_config.h"
#include "common/text_trim.h"
#include "effects/effect_selection.h"
#include "effects/effect_table.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"

namespace gd {
namespace {

// A caption as its 136-byte record holds it.
CaptionRecord StoredCaption(const CPictureData& picture) {
    CaptionRecord caption;
    caption.text = std::string(CutAndTrim(RecordText(picture.szCaption), kCaptionTextLimit));
    caption.font = RecordFont(picture.lfCaptionFont);
    caption.color = picture.crCaptionColor;
    caption.position = picture.nCaptionPos;
    return caption;
}

void CopyShowValues(ShowSettings& show, const CParamData& project) {
    show.picture_count = int32_t(project.pictureList.size());
    show.effects.clear();
    for (int32_t id = 1; id <= kEffectCount; ++id) {
        if (project.bEffectOn[size_t(id)] == 1) AddEffect(show, id);
    }
    show.background_color = project.crBgColor;
    show.shuffle_pictures = project.bShufflePic != 0;
    show.picture_pause = project.nPicturePause;
    show.effect_duration = project.nEffectMilliSecond;
    show.auto_adjust_size = project.bAutoAdjustSize != 0;
    show.move_picture = project.bMovePicture != 0;
    show.banner_text = std::string(CutAndTrim(RecordText(project.szBanner), kBannerLimit));
    show.banner_font = RecordFont(project.lfBanner);
    show.banner_color = project.crBanner;
    show.banner_position = project.nBannerPos;
}

}  // namespace

PreviewPlan MakePreviewPlan(const CParamData& project) {
    PreviewPlan plan;
    if (!project.pictureList.empty()) {
        for (const CPictureData& picture : project.pictureList)
            plan.pictures.push_back({picture.szFile, StoredCaption(picture)});
        CopyShowValues(plan.show, project);
    }
    if (project.bMuteMusic == 0 && !project.musicList.empty()) {
        plan.music = project.musicList;
        plan.shuffle_music = project.bShuffleAudio != 0;
        plan.music_pause = project.nAudioPause;
    }
    plan.exit.mouse_move = project.bMouseMove != 0;
    plan.exit.left_click = project.bMouseLeftClick != 0;
    plan.exit.right_click = project.bMouseRightClick != 0;
    plan.exit.any_key = project.bKeyboardEvent != 0;
    return plan;
}

std::vector<PictureFile> DemoPictureFiles(const std::string& program_folder) {
    const std::string data = JoinPath(program_folder, "data");
    return {{JoinPath(data, "pic1.jpg"), CaptionRecord{}}, {JoinPath(data, "pic2.jpg"), CaptionRecord{}}};
}

}  // namespace gd
