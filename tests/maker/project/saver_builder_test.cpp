#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/caption_record.h"
#include "common/caption_texts.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_extras.h"
#include "common/saver_config.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/saver_builder.h"
#include "maker/project/staged_output.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/project/metadata_samples.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

using test::FakeEncoder;
using test::FakePlatform;
using test::FakeQuestions;
using test::FakeTargets;

class Build : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(program.path() / "data");
        program.Write("data/data1.dat", std::vector<uint8_t>(1000, 0x5A));
        std::filesystem::create_directories(program.path() / "out");
        project.szName = "Show";
        project.szOutputFolder = program.File("out");
        project.bSelfInstall = 0;
    }

    std::string AddPicture(const std::string& name, const std::string& caption = "") {
        project.pictureList.push_back({program.Write(name, "picture"), {}});
        project.pictureList.back().szCaption = caption;
        return project.pictureList.back().szFile;
    }

    std::vector<std::string> RunIt(int threads = 2) {
        BuildLogMailbox log;
        CSaverBuilder builder(project, program.path().string(), log, {encoder, targets, questions, platform, threads});
        auto lines = test::RunBuild(builder, log);
        succeeded = builder.Succeeded();
        picture_count = builder.PictureCount();
        music_count = builder.MusicCount();
        output = builder.OutputPath();
        return lines;
    }

    SaverConfig Config() {
        auto it = targets.written.entries.find({RT_SAVER_CONFIG, 0});
        EXPECT_NE(it, targets.written.entries.end());
        auto config = DecodeSaverConfig(it->second);
        EXPECT_TRUE(config.has_value());
        return config.value_or(SaverConfig{});
    }

    test::TempFolder program;
    CParamData project;
    FakeEncoder encoder;
    FakeTargets targets;
    FakeQuestions questions;
    FakePlatform platform;
    bool succeeded = false;
    int picture_count = -1, music_count = -1;
    std::string output;
};

TEST_F(Build, AnUndecodablePictureIsSkippedAndTheIdsStayContiguous) {
    std::string a = AddPicture("a.jpg"), b = AddPicture("b.png"), c = AddPicture("c.jpg");
    encoder.outcomes[b] = PictureOutcome::kLoadFailed;
    auto lines = RunIt();
    std::string out = JoinPath(program.File("out"), "Show.scr");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Added picture: " + a, "Fail to load picture : " + b, "Added picture: " + c,
                         "Added screensaver configuration!", "Screensaver final size : 0.00 M",
                         "Make screensaver succeed : " + out,
                         // Last, so the success line never stands for a whole show.
                         "1 of 3 pictures could not be used: b.png"}));
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(picture_count, 2);
    auto& entries = targets.written.entries;
    EXPECT_EQ(entries.at({RT_SAVER_PICTURE, 0}), std::vector<uint8_t>(a.begin(), a.end()));
    EXPECT_EQ(entries.at({RT_SAVER_PICTURE, 1}), std::vector<uint8_t>(c.begin(), c.end()));
    EXPECT_FALSE(entries.count({RT_SAVER_PICTURE, 2}));
    EXPECT_EQ(Config().picture_count, 2);
    // The build writes a staging copy of the template and renames it over the output.
    EXPECT_EQ(targets.opened, std::vector<std::string>{StagingPathFor(out, CurrentProcessId())});
    EXPECT_EQ(test::ReadBytes(out), std::vector<uint8_t>(1000, 0x5A));
    EXPECT_EQ(FolderEntries(program.File("out")), std::vector<std::string>{"Show.scr"});
}

TEST_F(Build, EachPictureFailureHasItsOwnLine) {
    std::vector<std::string> paths;
    for (auto outcome : {PictureOutcome::kGifOpenFailed, PictureOutcome::kGifReadFailed, PictureOutcome::kEncodeFailed,
                         PictureOutcome::kOk}) {
        paths.push_back(AddPicture("p" + std::to_string(paths.size()) + ".gif"));
        encoder.outcomes[paths.back()] = outcome;
    }
    AddPicture("last.jpg");
    auto lines = RunIt();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "The picture file is not exist: " + paths[0]);
    EXPECT_EQ(lines[1], "Fail to load picture: " + paths[1]);
    EXPECT_EQ(lines[2], "Fail to load picture: " + paths[2]);
    EXPECT_EQ(lines[3], "Added picture: " + paths[3]);
    EXPECT_EQ(lines[4], "Added picture: " + program.File("last.jpg"));
    EXPECT_EQ(picture_count, 2);
}

TEST_F(Build, LogOrderDoesNotDependOnHowManyThreadsEncode) {
    for (int i = 0; i < 40; ++i) AddPicture("p" + std::to_string(i) + ".jpg");
    encoder.outcomes[project.pictureList[7].szFile] = PictureOutcome::kLoadFailed;
    auto one = RunIt(1);
    auto four = RunIt(4);
    EXPECT_EQ(one, four);
    EXPECT_EQ(picture_count, 39);
    EXPECT_EQ(encoder.calls(), 80);
}

TEST_F(Build, CaptionsAreTrimmedAndBlankOnesGetNoEntry) {
    AddPicture("a.jpg", "  Sunset \t");
    AddPicture("b.jpg", "   ");
    AddPicture("c.jpg", std::string(70, 'x'));
    project.pictureList[0].nCaptionPos = 8;
    project.pictureList[0].crCaptionColor = 0x0000FF;
    project.pictureList[0].lfCaptionFont.face_name = "Face";
    RunIt();
    auto& entries = targets.written.entries;
    auto caption = DecodeCaptionRecord(entries.at({RT_SAVER_CAPTION, 0}));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, "Sunset");
    EXPECT_EQ(caption->position, 8);
    EXPECT_EQ(caption->color, 0x0000FFu);
    EXPECT_EQ(caption->font.face_name, "Face");
    EXPECT_FALSE(entries.count({RT_SAVER_CAPTION, 1}));
    EXPECT_EQ(project.pictureList[0].szCaption, "Sunset");  // trimmed in the project itself
    EXPECT_EQ(project.pictureList[1].szCaption, "");
    const auto& long_caption = entries.at({RT_SAVER_CAPTION, 2});
    ASSERT_EQ(long_caption.size(), 136u);
    EXPECT_EQ(std::string(long_caption.begin() + 68, long_caption.begin() + 132), std::string(64, 'x'));
}

TEST_F(Build, CaptionPlaceholdersAreFilledInForTheScreensaverAndKeptAsTypedInTheProject) {
    std::filesystem::create_directories(program.path() / "Holiday 2019");
    const test::ByteList dated = test::JpegWith(test::ExifSegment(test::ExifTiff("2019:08:17 18:30:45")));
    project.pictureList.push_back({program.Write("Holiday 2019/Ferry.jpg", dated), {}});
    project.pictureList[0].szCaption = " {date:%A %d %B %Y}, {file} in {folder} ";
    project.pictureList.push_back({program.Write("long.jpg", dated), {}});
    project.pictureList[1].szCaption = "{date:%B %B %B %B %B %B %B %B %B %B %B %B}";  // 83 characters filled in
    const std::string typed[] = {"{date:%A %d %B %Y}, {file} in {folder}", project.pictureList[1].szCaption};
    project.bCaptionFields = 1;
    RunIt();
    ASSERT_TRUE(succeeded);
    auto caption = [&](uint16_t id) {
        std::optional<CaptionRecord> record = DecodeCaptionRecord(targets.written.entries.at({RT_SAVER_CAPTION, id}));
        EXPECT_TRUE(record && ApplyCaptionTexts(targets.written.entries.at({RT_SAVER_CAPTION_TEXTS, id}), *record));
        return record.value_or(CaptionRecord{});
    };
    const CaptionRecord ferry = caption(0), long_one = caption(1);
    EXPECT_EQ(ferry.text, "Saturday 17 August 2019, Ferry in Holiday 2019");
    EXPECT_EQ(ferry.texts->text, ferry.text);
    // Held to the caption's 64 characters as any long caption.
    const std::string months = "August August August August August August August August August A";
    EXPECT_EQ(long_one.text, months);
    EXPECT_EQ(long_one.texts->text, months);
    EXPECT_EQ(project.pictureList[0].szCaption, typed[0]);
    EXPECT_EQ(project.pictureList[1].szCaption, typed[1]);
}

// A project saved before placeholders existed (bCaptionFields absent, so 0) makes a caption
// that holds one exactly as typed, as it did then.
TEST_F(Build, PlaceholdersOfAProjectSavedBeforeThemStayAsTyped) {
    AddPicture("Ferry.jpg", "{file} on {date:%Y}");
    project.bCaptionFields = 0;
    RunIt();
    ASSERT_TRUE(succeeded);
    std::optional<CaptionRecord> record = DecodeCaptionRecord(targets.written.entries.at({RT_SAVER_CAPTION, 0}));
    ASSERT_TRUE(record && ApplyCaptionTexts(targets.written.entries.at({RT_SAVER_CAPTION_TEXTS, 0}), *record));
    EXPECT_EQ(record->text, "{file} on {date:%Y}");
    EXPECT_EQ(record->texts->text, "{file} on {date:%Y}");
}

// Captions typed before placeholders existed, braces and all, make the bytes they made.
TEST_F(Build, CaptionsWithoutPlaceholdersMakeTheSameRecords) {
    AddPicture("a.jpg", "  100% sure: {Date} date}{ file %Y {}  ");
    AddPicture("b.jpg", "{date");
    RunIt();
    const auto& entries = targets.written.entries;
    const std::vector<uint8_t>& a = entries.at({RT_SAVER_CAPTION, 0});
    ASSERT_EQ(a.size(), 136u);
    const std::string text = "100% sure: {Date} date}{ file %Y {}";
    EXPECT_EQ(std::string(a.begin() + 68, a.end()), text + std::string(136 - 68 - text.size(), '\0'));
    EXPECT_EQ(entries.at({RT_SAVER_CAPTION_TEXTS, 0}), EncodeCaptionTexts(CaptionTexts{text, project.pictureList[0].lfCaptionFont.face_name}));
    EXPECT_EQ(DecodeCaptionRecord(entries.at({RT_SAVER_CAPTION, 1}))->text, "{date");
}

TEST_F(Build, MusicEntriesCarryTheExtensionTagAndMissingFilesAreSkipped) {
    AddPicture("a.jpg");
    project.musicList = {program.Write("song.midi", "MThd"), program.File("gone.wav"), program.Write("a.ra", "ra!"),
                         program.Write("x.Wav", "RIFF")};
    auto lines = RunIt();
    EXPECT_EQ(lines[1], "Added music: " + project.musicList[0]);
    EXPECT_EQ(lines[2], "The music file is not exists: " + project.musicList[1]);
    EXPECT_EQ(lines[3].rfind("Reason: ", 0), 0u);  // the system's text, as the platform words it
    EXPECT_EQ(lines[4], "Added music: " + project.musicList[2]);
    auto& entries = targets.written.entries;
    EXPECT_EQ(entries.at({RT_SAVER_MUSIC, 0}), (std::vector<uint8_t>{'M', 'I', 'D', 'M', 'T', 'h', 'd'}));
    EXPECT_EQ(entries.at({RT_SAVER_MUSIC, 1}), (std::vector<uint8_t>{'R', 'A', 0, 'r', 'a', '!'}));
    EXPECT_EQ(entries.at({RT_SAVER_MUSIC, 2}), (std::vector<uint8_t>{'W', 'A', 'V', 'R', 'I', 'F', 'F'}));
    EXPECT_EQ(music_count, 3);
    SaverConfig config = Config();
    EXPECT_EQ(config.music_count, 3);
    EXPECT_EQ(config.has_music, 1);
    EXPECT_EQ(lines.back(), "1 of 4 music files could not be used: gone.wav");
}

TEST_F(Build, TheConfigurationRecordTakesEveryValueFromTheProject) {
    AddPicture("a.jpg");
    project.szName = "  Show  ";  // trimmed by the validation, not by the build
    project.szName = "Show";
    project.szAuthor = std::string(40, 'a');
    project.szEmail = "e@x";
    project.szHomePage = "http://h";
    project.szCopyright = "(C) x";
    project.szDescription = "desc";
    project.crBgColor = 0x112233;
    project.bMouseMove = 0;
    project.bMouseLeftClick = 1;
    project.bMouseRightClick = 0;
    project.bKeyboardEvent = 1;
    project.bShuffleAudio = 0;
    project.nAudioPause = 15;
    project.bMuteMusic = 1;
    project.bShufflePic = 0;
    project.bAutoAdjustSize = 1;
    project.bMovePicture = 0;
    project.nEffectMilliSecond = 1500;
    project.nPicturePause = 9;
    project.bEffectOn[44] = 0;
    project.szBanner = "\t Hello banner  ";
    project.lfBanner.face_name = "Banner";
    project.crBanner = 0x00AA00;
    project.nBannerPos = 1;
    RunIt();
    SaverConfig c = Config();
    EXPECT_EQ(c.identifier.size(), 32u);
    EXPECT_EQ(c.identifier.find_first_not_of("0123456789ABCDEFabcdef"), std::string::npos);
    EXPECT_EQ(c.name, "Show");
    EXPECT_EQ(c.author, std::string(30, 'a'));
    EXPECT_EQ(c.email, "e@x");
    EXPECT_EQ(c.home_page, "http://h");
    EXPECT_EQ(c.copyright, "(C) x");
    EXPECT_EQ(c.description, "desc");
    EXPECT_EQ(c.build_time.size(), 19u);
    EXPECT_EQ(c.bg_color, 0x112233u);
    EXPECT_EQ(c.mouse_move, 0);
    EXPECT_EQ(c.mouse_left_click, 1);
    EXPECT_EQ(c.mouse_right_click, 0);
    EXPECT_EQ(c.keyboard_event, 1);
    EXPECT_EQ(c.has_music, 0);
    EXPECT_EQ(c.music_count, 0);
    EXPECT_EQ(c.shuffle_audio, 0);
    EXPECT_EQ(c.audio_pause, 15);
    EXPECT_EQ(c.mute_music, 1);
    EXPECT_EQ(c.has_pictures, 1);
    EXPECT_EQ(c.picture_count, 1);
    EXPECT_EQ(c.shuffle_pic, 0);
    EXPECT_EQ(c.auto_adjust_size, 1);
    EXPECT_EQ(c.move_picture, 0);
    EXPECT_EQ(c.effect_millisecond, 1500);
    EXPECT_EQ(c.picture_pause, 9);
    EXPECT_EQ(c.effect_on, project.bEffectOn);
    EXPECT_EQ(c.banner, "Hello banner");
    EXPECT_EQ(project.szBanner, "Hello banner");
    EXPECT_EQ(c.banner_font.face_name, "Banner");
    EXPECT_EQ(c.banner_color, 0x00AA00u);
    EXPECT_EQ(c.banner_pos, 1);

    // The show extras repeat bMovePicture, which the 744-byte record keeps for older
    // readers: read over the record, they change nothing of it. They alone carry the
    // newer options, each from the project.
    auto extras = targets.written.entries.find({RT_SAVER_EXTRAS, 0});
    ASSERT_NE(extras, targets.written.entries.end());
    SaverConfig overlaid = c;
    overlaid.move_picture = 1;
    ASSERT_TRUE(ApplySaverExtras(extras->second, overlaid));
    SaverConfig expected = c;
    expected.effect_count = project.nEffectCount;
    expected.smooth_scaling = project.bSmoothScaling;
    expected.shuffle_rounds = project.bShuffleRounds;
    expected.pan_zoom = project.bPanZoom;
    expected.pan_zoom_strength = project.nPanZoom;
    expected.backdrop = project.nBackdrop;
    expected.monitor_mode = project.nMonitorMode;
    expected.scale_texts = project.bScaleTexts;
    // And every text in Unicode, each cut to its limit in characters as its field is.
    expected.texts = SaverTexts{"Show", std::string(30, 'a'), "e@x", "http://h", "(C) x", "desc", "Hello banner", "Banner"};
    EXPECT_EQ(expected.effect_count, 45) << "a new project knows cross-fade";
    EXPECT_EQ(expected.monitor_mode, 2) << "a new project shows a picture on each monitor";
    EXPECT_EQ(expected.scale_texts, 1) << "a new project draws its texts at each monitor's DPI";
    EXPECT_EQ(overlaid, expected);
}

TEST_F(Build, WesternTextsKeepTheirCodePageBytesInTheNarrowFields) {
    AddPicture("a.jpg", "Straße in Köln");
    project.pictureList[0].lfCaptionFont.face_name = "Schrift Ä";
    project.szName = "Grüße";
    project.szDescription = "Ça coûte 5 €";
    project.szBanner = "Frühling";
    project.lfBanner.face_name = "Façade";
    RunIt();
    SaverConfig c = Config();
    EXPECT_EQ(c.name, "Gr\xFC\xDF" "e");
    EXPECT_EQ(c.description, "\xC7" "a co\xFBte 5 \x80");
    EXPECT_EQ(c.banner, "Fr\xFChling");
    EXPECT_EQ(c.banner_font.face_name, "Fa\xE7" "ade");
    auto caption = DecodeCaptionRecord(targets.written.entries.at({RT_SAVER_CAPTION, 0}));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, "Stra\xDF" "e in K\xF6ln");
    EXPECT_EQ(caption->font.face_name, "Schrift \xC4");
    EXPECT_EQ(project.szBanner, "Frühling");  // the project stays UTF-8
}

TEST_F(Build, AnyLanguageGoesInWholeAndTheNarrowFieldsGetItsBestFit) {
    AddPicture("a.jpg", "  Łódź — zima ");
    AddPicture("b.jpg", "東京の夜");
    AddPicture("c.jpg", std::string(63, 'x') + "é\u0301yz");  // 64 characters reach "é" and its mark
    project.pictureList[0].lfCaptionFont.face_name = "Czcionka Ł";
    project.pictureList[1].lfCaptionFont.face_name = "ＭＳ ゴシック";
    project.szName = "Ελλάδα 2026";
    project.szAuthor = "Zoë Łukasiewicz";
    project.szBanner = "Москва";
    project.lfBanner.face_name = "Шрифт";
    const auto lines = RunIt();
    ASSERT_TRUE(succeeded) << ::testing::PrintToString(lines);
    EXPECT_EQ(output, JoinPath(project.szOutputFolder, "Ελλάδα 2026.scr"));

    SaverConfig c = Config();
    EXPECT_EQ(c.name, "?????? 2026");
    EXPECT_EQ(c.author, "Zo\xEB Lukasiewicz");
    EXPECT_EQ(c.banner, "??????");
    EXPECT_EQ(c.banner_font.face_name, "?????");
    EXPECT_FALSE(c.texts) << "the 744 bytes have no room for them";
    ASSERT_TRUE(ApplySaverExtras(targets.written.entries.at({RT_SAVER_EXTRAS, 0}), c));
    ASSERT_TRUE(c.texts);
    EXPECT_EQ(c.texts->name, "Ελλάδα 2026");
    EXPECT_EQ(c.texts->author, "Zoë Łukasiewicz");
    EXPECT_EQ(c.texts->banner, "Москва");
    EXPECT_EQ(c.texts->banner_face, "Шрифт");

    // Each caption: its record with the best fit, its text record beside it, same id.
    auto read_caption = [&](uint16_t id) {
        std::optional<CaptionRecord> caption = DecodeCaptionRecord(targets.written.entries.at({RT_SAVER_CAPTION, id}));
        EXPECT_TRUE(caption);
        if (caption) EXPECT_TRUE(ApplyCaptionTexts(targets.written.entries.at({RT_SAVER_CAPTION_TEXTS, id}), *caption));
        return caption.value_or(CaptionRecord{});
    };
    CaptionRecord polish = read_caption(0), japanese = read_caption(1), long_one = read_caption(2);
    EXPECT_EQ(polish.text, "L\xF3" "dz \x97 zima");
    EXPECT_EQ(polish.font.face_name, "Czcionka L");
    EXPECT_EQ(polish.texts, (CaptionTexts{"Łódź — zima", "Czcionka Ł"}));
    EXPECT_EQ(japanese.text, "????");
    EXPECT_EQ(japanese.texts, (CaptionTexts{"東京の夜", "ＭＳ ゴシック"}));
    EXPECT_EQ(long_one.texts->text, std::string(63, 'x') + "é\u0301") << "cut after 64 characters, mark kept";
    EXPECT_EQ(long_one.text, std::string(63, 'x') + "\xE9");
    EXPECT_EQ(targets.written.entries.count({RT_SAVER_CAPTION_TEXTS, 3}), 0u);
}

TEST_F(Build, FailuresThatEndTheBuildKeepThePreviousScreensaverAndLeaveNothingBehind) {
    const std::string out = JoinPath(program.File("out"), "Show.scr");
    program.Write("out/Show.scr", "previous");
    auto previous_kept = [&] {
        EXPECT_EQ(test::ReadBytes(out), std::vector<uint8_t>({'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
        EXPECT_EQ(FolderEntries(program.File("out")), std::vector<std::string>{"Show.scr"});
        EXPECT_FALSE(succeeded);
    };
    // No template: the reason names it.
    AddPicture("a.jpg");
    std::filesystem::remove(program.File("data/data1.dat"));
    auto lines = RunIt();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Fail to write file,exit making!");
    EXPECT_EQ(lines[1].rfind("Reason: " + TemplatePathFor(program.path().string()) + ": ", 0), 0u) << lines[1];
    previous_kept();
    program.Write("data/data1.dat", "template");

    // No output folder.
    project.szOutputFolder = program.File("missing");
    lines = RunIt();
    EXPECT_EQ(lines[0], "Fail to write file,exit making!");
    EXPECT_EQ(lines[1].rfind("Reason: " + JoinPath(program.File("missing"), "Show.scr") + ": ", 0), 0u) << lines[1];
    project.szOutputFolder = program.File("out");

    // Every picture failed.
    encoder.outcomes[project.pictureList[0].szFile] = PictureOutcome::kLoadFailed;
    lines = RunIt();
    EXPECT_EQ(lines.back(), "Fail! No picture writed.  Exit making.");
    EXPECT_FALSE(targets.written.committed);
    previous_kept();
    encoder.outcomes.clear();

    // An entry that cannot be written (a full disk) ends the build: no half screensaver.
    AddPicture("b.jpg");
    targets.refuse.insert({RT_SAVER_PICTURE, 1});
    lines = RunIt();
    EXPECT_EQ(lines, (std::vector<std::string>{"Added picture: " + project.pictureList[0].szFile,
                                               "Fail to add picture: " + project.pictureList[1].szFile,
                                               "Reason: " + out + ": No space left on device",
                                               "Fail to write file,exit making!"}));
    previous_kept();
    project.musicList = {program.Write("m.wav", "RIFF")};
    targets.refuse = {{RT_SAVER_MUSIC, 0}};
    lines = RunIt();
    EXPECT_EQ(lines.end()[-3], "Fail to add music file: " + project.musicList[0]);
    EXPECT_EQ(lines.back(), "Fail to write file,exit making!");
    previous_kept();
    project.pictureList[0].szCaption = "Hi";
    targets.refuse = {{RT_SAVER_CAPTION, 0}};
    lines = RunIt();
    EXPECT_EQ(lines.back(), "Fail to write file,exit making!");
    previous_kept();

    // The configuration cannot be committed.
    targets.refuse.clear();
    targets.refuse_commit = true;
    lines = RunIt();
    EXPECT_EQ(lines.end()[-2], "Fail to write configuration!");
    EXPECT_EQ(lines.back(), "Reason: " + out + ": No space left on device");
    previous_kept();
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(Build, StagingFilesOfBuildsThatDiedAreRemovedByTheNextBuild) {
    AddPicture("a.jpg");
    const std::string out = JoinPath(program.File("out"), "Show.scr");
    // A process id that runs no process, and the editor's files a build before staging left.
    const std::string dead = StagingPathFor(out, 999999999);
    for (std::string stale : {dead, dead + ".spool~", dead + ".new~", dead + ".a1B2c3", out + ".spool~", out + ".new~"})
        program.Write(stale.substr(program.path().string().size() + 1), "stale");
    // Files that are not ours, or of another output, stay.
    std::vector<std::string> kept = {"Other.scr.999999999.making~", "Show.scr", "Show.scr.999999999.making.bak",
                                     "Show.scr.making~"};
#ifndef _WIN32
    kept.push_back("Show.scr.1.making~.spool~");  // process 1 runs: a build of it would be under way
#endif
    for (const std::string& name : kept)
        if (name != "Show.scr") program.Write("out/" + name, "not stale");
    RunIt();
    EXPECT_TRUE(succeeded);
    auto entries = FolderEntries(program.File("out"));
    std::sort(entries.begin(), entries.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(entries, kept);
}

TEST_F(Build, TheDefaultSaverQuestionAndTheFinalLines) {
    AddPicture("a.jpg");
    project.bSelfInstall = 1;
    project.szIconFile = "/icons/x.ico";
    program.Write("data/data1.dat", std::vector<uint8_t>(1048576 + 524288, 1));
    auto lines = RunIt();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0], "Do you want to set Show as your default screensaver?   ");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "Screensaver final size : 1.50 M");
    EXPECT_EQ(lines[3], "Make screensaver succeed : " + JoinPath(program.File("out"), "Show.exe"));
    EXPECT_EQ(targets.written.icons, std::vector<std::string>{"/icons/x.ico"});
    EXPECT_TRUE(questions.shown.empty());

    // OK on a platform without the setting: said so, and the build still succeeds.
    questions.answer = true;
    lines = RunIt();
    EXPECT_EQ(questions.shown,
              std::vector<std::string>{"Setting the default screensaver is not available on this platform."});
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(lines.size(), 4u);
}

TEST_F(Build, SettingTheDefaultSaverSaysWhereItWentOrReportsTheFailure) {
    AddPicture("a.jpg");
    std::filesystem::create_directories(program.path() / "system");
    platform.available = true;
    platform.folder = program.File("system");
    questions.answer = true;
    auto lines = RunIt();
    std::string installed = JoinPath(program.File("system"), "Show.scr");
    EXPECT_EQ(platform.installed, std::vector<std::string>{installed});
    EXPECT_EQ(test::ReadBytes(installed), test::ReadBytes(output));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "Set as default screensaver: " + installed);
    EXPECT_EQ(lines[3].rfind("Screensaver final size : ", 0), 0u);
    EXPECT_TRUE(questions.shown.empty());

    // Installed already: asked again; refusing skips the install but not the final lines.
    questions.asked.clear();
    platform.installed.clear();
    questions.answer = false;
    lines = RunIt();
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_TRUE(platform.installed.empty());
    EXPECT_EQ(lines.size(), 4u);

    // The system folder refused: installed for the user, and the log says where.
    questions.answer = true;
    questions.asked.clear();
    platform.result.for_current_user = true;
    lines = RunIt();
    ASSERT_EQ(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[1], "The Screensaver Show already exists.   \nDo you want to replace it?   ");
    EXPECT_EQ(lines[2], "Set as default screensaver for the current user (the system folder is not writable): " +
                            installed);
    EXPECT_TRUE(questions.shown.empty());

    // Copied but not made active, or not copied at all: the failure message.
    platform.result.activated = false;
    lines = RunIt();
    EXPECT_EQ(lines[2], "Copied the screensaver to " + installed);
    EXPECT_EQ(questions.shown, std::vector<std::string>{"Fail to set Show as your default sreensaver!"});
    platform.result.status = DefaultSaverInstall::Status::kFailed;
    questions.shown.clear();
    lines = RunIt();
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(questions.shown, std::vector<std::string>{"Fail to set Show as your default sreensaver!"});
    EXPECT_EQ(lines.back(), "Make screensaver succeed : " + output);
}

TEST(BuildLogMailbox, TheWorkerWaitsUntilTheLineWasTaken) {
    BuildLogMailbox log;
    std::atomic<int> posted{0};
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            log.Post("line " + std::to_string(i));
            ++posted;
        }
        log.End();
    });
    // The second Post cannot finish until the first line is taken.
    while (posted.load() < 1) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(posted.load(), 1);
    EXPECT_EQ(log.Take(), std::optional<std::string>("line 0"));
    std::string line;
    EXPECT_EQ(log.WaitNext(&line), BuildLogMailbox::Wait::kLine);
    EXPECT_EQ(line, "line 1");
    EXPECT_EQ(log.WaitNext(&line), BuildLogMailbox::Wait::kLine);
    EXPECT_EQ(line, "line 2");
    EXPECT_EQ(log.WaitNext(&line), BuildLogMailbox::Wait::kEnded);
    worker.join();
    EXPECT_EQ(log.Take(), std::nullopt);
}

}  // namespace
}  // namespace gd
