#include "maker/preview/preview_plan.h"

#include <gtest/gtest.h>

#include "maker/project/path_rules.h"
#include "maker/project/project_options.h"
#include "tests/maker/project/metadata_samples.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

CPictureData Picture(const std::string& file, const std::string& caption, int32_t position) {
    CPictureData p;
    p.szFile = file;
    p.szCaption = caption;
    p.lfCaptionFont.height = -20;
    p.lfCaptionFont.face_name = "Arial";
    p.crCaptionColor = 0x00FF00;
    p.nCaptionPos = position;
    return p;
}

CParamData Project() {
    CParamData project;
    project.pictureList = {Picture("C:\\a.jpg", "  Hello  ", 7), Picture("C:\\b.gif", "", 0),
                           Picture("C:\\c.png", "Caf\xC3\xA9 " + std::string(70, 'x'), 4)};
    project.bEffectOn.fill(0);
    project.bEffectOn[0] = 1;   // never a choice: shown at once is not an effect
    project.bEffectOn[3] = 1;
    project.bEffectOn[21] = 1;
    project.bEffectOn[22] = 2;  // only exactly 1 enables
    project.bEffectOn[44] = 1;
    project.bEffectOn[45] = 1;  // a 1 the flags of a project of before do not speak for
    project.bEffectOn[46] = 1;  // beyond the table
    project.nEffectCount = 44;
    project.crBgColor = 0x123456;
    project.bShufflePic = 0;
    project.nPicturePause = 7;
    project.nEffectMilliSecond = 1500;
    project.bAutoAdjustSize = 1;
    project.bMovePicture = 0;
    project.szBanner = "  My banner\t";
    project.lfBanner.face_name = "Caf\xC3\xA9 Sans";
    project.crBanner = 0xABCDEF;
    project.nBannerPos = 1;
    project.musicList = {"C:\\one.mid", "C:\\two.wav"};
    project.bShuffleAudio = 0;
    project.nAudioPause = 4;
    project.bMuteMusic = 0;
    project.bMouseMove = 0;
    project.bMouseLeftClick = 1;
    project.bMouseRightClick = 0;
    project.bKeyboardEvent = 1;
    return project;
}

// The preview shows a caption as the made screensaver will: its placeholders filled in.
TEST(PreviewPlan, CaptionsShowTheirPlaceholdersFilledIn) {
    test::TempFolder folder;
    CParamData project = Project();
    project.pictureList[0].szFile =
        folder.Write("Ferry.jpg", test::JpegWith(test::ExifSegment(test::ExifTiff("2019:08:17 18:30:45"))));
    project.pictureList[0].szCaption = " {file}, {date:%e %b %Y} ";
    project.pictureList[1].szCaption = "{date}";  // a file that is not there: nothing to fill in
    project.bCaptionFields = 1;
    const PreviewPlan plan = MakePreviewPlan(project);
    ASSERT_EQ(plan.pictures.size(), 3u);
    ASSERT_TRUE(plan.pictures[0].caption && plan.pictures[0].caption->texts);
    EXPECT_EQ(plan.pictures[0].caption->text, "Ferry, 17 Aug 2019");
    EXPECT_EQ(plan.pictures[0].caption->texts->text, "Ferry, 17 Aug 2019");
    EXPECT_EQ(plan.pictures[1].caption->text, "{date}");
    EXPECT_EQ(project.pictureList[0].szCaption, " {file}, {date:%e %b %Y} ");
    // As a project saved before placeholders makes it: as typed.
    project.bCaptionFields = 0;
    EXPECT_EQ(MakePreviewPlan(project).pictures[0].caption->text, "{file}, {date:%e %b %Y}");
}

TEST(PreviewPlan, TakesThePicturesEffectsAndSettingsAsTheScreensaverStoresThem) {
    const PreviewPlan plan = MakePreviewPlan(Project());
    const ShowSettings& show = plan.show;
    EXPECT_EQ(show.picture_count, 3);
    EXPECT_EQ(show.effects, (std::vector<int32_t>{3, 21, 44}));
    EXPECT_EQ(show.background_color, 0x123456u);
    EXPECT_FALSE(show.shuffle_pictures);
    EXPECT_EQ(show.picture_pause, 7);
    EXPECT_EQ(show.effect_duration, 1500);
    EXPECT_TRUE(show.auto_adjust_size);
    EXPECT_FALSE(show.move_picture);
    // Always on, whatever the project: transitions, random order, captions.
    EXPECT_TRUE(show.transition_effects);
    EXPECT_TRUE(show.random_effect_order);
    EXPECT_TRUE(show.show_captions);
    EXPECT_FALSE(show.demo_mode);
    EXPECT_EQ(show.current_picture, -1);
    EXPECT_EQ(show.effect_position, -1);
    // The banner trimmed, drawn from its Unicode texts as the screensaver draws them.
    EXPECT_EQ(show.banner_text, "My banner");
    EXPECT_EQ(show.banner_font.face_name, "Caf\xC3\xA9 Sans");
    EXPECT_EQ(show.banner_form, TextForm::kUtf8);
    EXPECT_EQ(show.banner_color, 0xABCDEFu);
    EXPECT_EQ(show.banner_position, 1);

    ASSERT_EQ(plan.pictures.size(), 3u);
    EXPECT_EQ(plan.pictures[0].path, "C:\\a.jpg");
    EXPECT_EQ(plan.pictures[2].path, "C:\\c.png");
    ASSERT_TRUE(plan.pictures[0].caption);
    EXPECT_EQ(plan.pictures[0].caption->text, "Hello");
    EXPECT_EQ(plan.pictures[0].caption->position, 7);
    EXPECT_EQ(plan.pictures[0].caption->color, 0x00FF00u);
    EXPECT_EQ(plan.pictures[0].caption->font.height, -20);
    EXPECT_EQ(plan.pictures[0].caption->font.face_name, "Arial");
    EXPECT_EQ(plan.pictures[1].caption->text, "");
    // Cut to the record's 64 bytes, counted in code-page bytes.
    EXPECT_EQ(plan.pictures[2].caption->text, "Caf\xE9 " + std::string(59, 'x'));
    // The Unicode text the screensaver draws, cut to 64 characters.
    ASSERT_TRUE(plan.pictures[2].caption->texts);
    EXPECT_EQ(plan.pictures[2].caption->texts->text, "Caf\xC3\xA9 " + std::string(59, 'x'));
    EXPECT_EQ(plan.pictures[2].caption->texts->face_name, plan.pictures[2].caption->font.face_name);
}

TEST(PreviewPlan, MusicPlaysUnlessMutedOrAbsentAndTheExitFlagsFollowTheProject) {
    CParamData project = Project();
    PreviewPlan plan = MakePreviewPlan(project);
    EXPECT_EQ(plan.music, (std::vector<std::string>{"C:\\one.mid", "C:\\two.wav"}));
    EXPECT_FALSE(plan.shuffle_music);
    EXPECT_EQ(plan.music_pause, 4);
    EXPECT_FALSE(plan.exit.mouse_move);
    EXPECT_TRUE(plan.exit.left_click);
    EXPECT_FALSE(plan.exit.right_click);
    EXPECT_TRUE(plan.exit.any_key);

    project.bMuteMusic = 1;
    EXPECT_TRUE(MakePreviewPlan(project).music.empty());
    project.bMuteMusic = 0;
    project.musicList.clear();
    EXPECT_TRUE(MakePreviewPlan(project).music.empty());
}

// The preview plays where the screensaver will: on the monitors of the project's mode,
// its texts scaled as the screensaver scales them.
TEST(PreviewPlan, FollowsTheProjectsMonitorModeAndTextScale) {
    CParamData project = Project();
    SetAbsentOptions(project);  // a project saved before either
    EXPECT_EQ(MakePreviewPlan(project).monitor_mode, 0);
    EXPECT_FALSE(MakePreviewPlan(project).show.scale_texts);
    project.nMonitorMode = 2;
    project.bScaleTexts = 1;
    const PreviewPlan plan = MakePreviewPlan(project);
    EXPECT_EQ(plan.monitor_mode, 2);
    EXPECT_TRUE(plan.show.scale_texts);
}

TEST(PreviewPlan, WithoutPicturesTheShowKeepsTheValuesOfANewShow) {
    CParamData project = Project();
    project.pictureList.clear();
    const PreviewPlan plan = MakePreviewPlan(project);
    EXPECT_TRUE(plan.pictures.empty());
    EXPECT_EQ(plan.show.picture_count, 0);
    EXPECT_TRUE(plan.show.effects.empty());
    EXPECT_EQ(plan.show.picture_pause, 1);
    EXPECT_EQ(plan.show.effect_duration, 10000);
    EXPECT_TRUE(plan.show.banner_text.empty());
    EXPECT_FALSE(plan.music.empty()) << "the music plays all the same";
}

TEST(PreviewPlan, TheDemonstrationPlaysTheTwoSamplePicturesOfTheProgramFolder) {
    const std::string folder = "/opt/glimmerdeck";
    const std::vector<PictureFile> files = DemoPictureFiles(folder);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, JoinPath(JoinPath(folder, "data"), "pic1.jpg"));
    EXPECT_EQ(files[1].path, JoinPath(JoinPath(folder, "data"), "pic2.jpg"));
    EXPECT_TRUE(files[0].caption && files[0].caption->text.empty());
}

}  // namespace
}  // namespace gd
